#include "renderer/bgr_rows.h"

#include <array>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define HOARVEIL_SHUFFLE_ROWS 1
#endif

namespace {

template <int BytesPerPixel>
void scalarRow(const std::uint8_t* in, std::uint8_t* out, std::int32_t width)
{
    for (std::int32_t x = 0; x < width; ++x, in += BytesPerPixel, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

#ifdef HOARVEIL_SHUFFLE_ROWS

// 16 pixels at a time: BytesPerPixel input blocks of 16 bytes become 3 output blocks. Output
// block k takes from input block j the bytes this mask names (0x80: none).
template <int BytesPerPixel>
constexpr auto shuffleMasks()
{
    std::array<std::array<std::array<std::uint8_t, 16>, BytesPerPixel>, 3> masks{};
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < BytesPerPixel; ++j)
            for (int i = 0; i < 16; ++i) {
                const int outByte = 16 * k + i;
                const int source = outByte / 3 * BytesPerPixel + (2 - outByte % 3);
                masks[k][j][i] = source / 16 == j ? std::uint8_t(source % 16) : 0x80;
            }
    return masks;
}

template <int BytesPerPixel>
constexpr bool takesFrom(int k, int j)
{
    // Output block k spans pixels 16k/3 to (16k+15)/3, input bytes from their first to last.
    const int first = (16 * k) / 3 * BytesPerPixel, last = (16 * k + 15) / 3 * BytesPerPixel + 2;
    return first / 16 <= j && j <= last / 16;
}

template <int BytesPerPixel>
alignas(16) constexpr auto masks = shuffleMasks<BytesPerPixel>();

template <int BytesPerPixel, int K, int... J>
__attribute__((target("ssse3"))) inline __m128i outputBlock(const __m128i* source, std::integer_sequence<int, J...>)
{
    __m128i block = _mm_setzero_si128();
    const auto take = [&]<int From>() __attribute__((target("ssse3"))) {
        if constexpr (takesFrom<BytesPerPixel>(K, From))
            block = _mm_or_si128(block, _mm_shuffle_epi8(source[From], _mm_load_si128(reinterpret_cast<const __m128i*>(
                                                                           masks<BytesPerPixel>[K][From].data()))));
    };
    (take.template operator()<J>(), ...);
    return block;
}

template <int BytesPerPixel>
__attribute__((target("ssse3"))) void shuffledRow(const std::uint8_t* in, std::uint8_t* out, std::int32_t width)
{
    constexpr auto blocks = std::make_integer_sequence<int, BytesPerPixel>{};
    std::int32_t x = 0;
    for (; x + 16 <= width; x += 16, in += 16 * BytesPerPixel, out += 48) {
        __m128i source[BytesPerPixel];
        for (int j = 0; j < BytesPerPixel; ++j)
            source[j] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16 * j));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), outputBlock<BytesPerPixel, 0>(source, blocks));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), outputBlock<BytesPerPixel, 1>(source, blocks));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 32), outputBlock<BytesPerPixel, 2>(source, blocks));
    }
    scalarRow<BytesPerPixel>(in, out, width - x);
}

bool hasShuffles()
{
    static const bool present = __builtin_cpu_supports("ssse3");
    return present;
}

#endif

}  // namespace

void bgrToRgbRow(const std::uint8_t* in, std::uint8_t* out, std::int32_t width, int bytesPerPixel)
{
#ifdef HOARVEIL_SHUFFLE_ROWS
    if (hasShuffles()) {
        bytesPerPixel == 4 ? shuffledRow<4>(in, out, width) : shuffledRow<3>(in, out, width);
        return;
    }
#endif
    bytesPerPixel == 4 ? scalarRow<4>(in, out, width) : scalarRow<3>(in, out, width);
}

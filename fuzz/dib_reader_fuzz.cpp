// Any bytes at all, as a bitmap file: the reader gives a picture of the size its header
// declares, or one of its errors, and never reads outside the input.
#include <cstdint>
#include <cstdlib>
#include <variant>

#include "renderer/dib_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = decodeDib({data, size});
    if (const auto* image = std::get_if<RgbImage>(&result)) {
        if (image->width <= 0 || image->height <= 0 || !image->pixels ||
            std::size_t(image->width) * std::size_t(image->height) * 3 > maxDibImageBytes)
            std::abort();
        // Touch the last byte: the block must be as large as the picture says.
        volatile std::uint8_t last = image->pixels[std::size_t(image->width) * std::size_t(image->height) * 3 - 1];
        (void)last;
    }
    return 0;
}

// Writes the seed corpus for the reader's fuzz target into the folder given: small bitmaps of
// every kind the reader knows (the same kinds its unit tests use).
#include <cstdio>
#include <string>

#include "tests/support/bmp_writer.h"

using namespace testing_support;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const BmpPicture picture = makePicture(7, 5, [](int x, int y) { return std::uint32_t((x * 3 + y) % 16); });
    const BmpPicture colours = makePicture(7, 5, [](int x, int y) { return std::uint32_t(x * 0x242424 + y * 0x400000); });
    int written = 0;
    auto seed = [&](const BmpPicture& p, BmpOptions o) {
        writeFile(folder + "/seed-" + std::to_string(written++) + ".bmp", encodeBmp(p, o));
        o.fileHeader = false;
        writeFile(folder + "/seed-" + std::to_string(written++) + ".dib", encodeBmp(p, o));
    };
    for (int bits : {1, 4, 8}) {
        for (BmpHeader header : {BmpHeader::Core, BmpHeader::Info}) {
            BmpOptions o;
            o.bitCount = bits;
            o.header = header;
            for (int i = 0; i < (1 << bits); ++i)
                o.palette.push_back({std::uint8_t(i * 16), std::uint8_t(255 - i), std::uint8_t(i)});
            seed(picture, o);
            if (header == BmpHeader::Info && bits > 1) {
                o.compression = bits == 8 ? BmpCompression::Rle8 : BmpCompression::Rle4;
                seed(picture, o);
                o.compression = BmpCompression::Rgb;
                o.palette.resize(2);
                seed(picture, o);
            }
        }
    }
    for (int bits : {16, 24, 32}) {
        BmpOptions o;
        o.bitCount = bits;
        seed(colours, o);
        o.topDown = true;
        seed(colours, o);
    }
    for (int bits : {16, 32}) {
        BmpOptions o;
        o.bitCount = bits;
        o.compression = BmpCompression::Bitfields;
        o.masks = bits == 16 ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                             : std::array<std::uint32_t, 3>{0x3FF00000, 0xFFC00, 0x3FF};
        seed(colours, o);
    }
    std::printf("%d seeds in %s\n", written, folder.c_str());
    return 0;
}

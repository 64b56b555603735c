#pragma once
// What the show's tests on both systems judge it by: the bitmap files the saver writes, the
// screen they were taken from, the floor the renderer shows, and the programs' trace lines.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "saver/forms/bitmap_file.h"
#include "tests/support/x_user.h"

namespace testing_support {

inline std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline forms::RgbSurface readPicture(const std::string& path) { return forms::decodeBitmap(readBytes(path)); }

inline bool samePicture(const std::string& a, const std::string& b)
{
    const forms::RgbSurface first = readPicture(a), second = readPicture(b);
    if (first.empty() || first.width() != second.width() || first.height() != second.height())
        return false;
    return std::equal(first.data(), first.data() + first.width() * first.height() * 3, second.data());
}

// Pixels of the photograph that differ from the screenshot of the same size.
inline int pixelsDiffering(const forms::RgbSurface& photo, const Screenshot& screen)
{
    int differing = 0;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            const auto p = photo.pixel(x, y);
            const auto s = screen.at(x, y);
            differing += p.r != s.r || p.g != s.g || p.b != s.b;
        }
    return differing;
}

// How much of the lower half of the screen, where the floor lies, carries the red, green and
// blue of the desktop that furnishDesktop makes.
struct FloorColours {
    int red = 0, green = 0, blue = 0;
};

inline FloorColours floorColours(const Screenshot& shot)
{
    FloorColours seen;
    for (int y = shot.height() / 2; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) {
            const Rgb p = shot.at(x, y);
            seen.red += p.r > 180 && p.g < 80 && p.b < 80;
            seen.green += p.g > 150 && p.r < 80 && p.b < 110;
            seen.blue += p.b > 130 && p.r < 90 && p.g > 50 && p.g < 110;
        }
    return seen;
}

// Trace lines of one program that mention the stage.
inline int countLines(const std::string& text, const std::string& program, const std::string& stage)
{
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        count += line.rfind("hoarveil-trace " + program + " ", 0) == 0 && line.find(stage) != std::string::npos;
    return count;
}

}  // namespace testing_support

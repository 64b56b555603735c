#include "tests/support/scene_tones.h"

#include <utility>

#include "tests/support/bmp_writer.h"

namespace testing_support {

std::vector<std::uint8_t> quadrantPicture()
{
    return encodeBmp(makePicture(200, 150, [](int x, int y) { return quadrantColours[(y >= 75) * 2 + (x >= 100)]; }),
                     {});
}

std::vector<std::uint8_t> plainPicture(std::uint32_t colour)
{
    return encodeBmp(makePicture(64, 64, [=](int, int) { return colour; }), {});
}

Tone toneOf(Rgb p)
{
    const auto high = [](int v) { return v > 150; };
    const auto low = [](int v) { return v < 70; };
    if (high(p.r) && low(p.g) && low(p.b))
        return Tone::Red;
    if (low(p.r) && high(p.g) && low(p.b))
        return Tone::Green;
    if (low(p.r) && low(p.g) && high(p.b))
        return Tone::Blue;
    if (high(p.r) && high(p.g) && low(p.b))
        return Tone::Yellow;
    if (p.r > 100 && low(p.g) && p.b > 100)
        return Tone::Magenta;
    if (p.r > 60 && p.r < 230 && p.r == p.g && p.g == p.b)
        return Tone::Grey;
    return Tone::Other;
}

// 4-connected patches on a grid of 4-pixel cells.
int patchesOf(const Screenshot& shot, Tone tone, int top, int bottom)
{
    constexpr int cell = 4;
    const int columns = shot.width() / cell, rows = (bottom - top) / cell;
    std::vector<int> seen(std::size_t(columns) * rows, 0);
    auto matches = [&](int cx, int cy) { return toneOf(shot.at(cx * cell, top + cy * cell)) == tone; };
    int patches = 0;
    for (int cy = 0; cy < rows; ++cy)
        for (int cx = 0; cx < columns; ++cx) {
            if (seen[cy * columns + cx] || !matches(cx, cy))
                continue;
            int size = 0;
            std::vector<std::pair<int, int>> stack{{cx, cy}};
            seen[cy * columns + cx] = 1;
            while (!stack.empty()) {
                auto [x, y] = stack.back();
                stack.pop_back();
                ++size;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < columns && ny < rows && !seen[ny * columns + nx] &&
                        matches(nx, ny)) {
                        seen[ny * columns + nx] = 1;
                        stack.push_back({nx, ny});
                    }
                }
            }
            patches += size >= 6;  // more than a stray pixel on a seam
        }
    return patches;
}

int skyPixelsOf(const Screenshot& shot, Tone tone)
{
    constexpr int horizonAbove = 300;
    int count = 0;
    for (int y = 0; y < horizonAbove; ++y)
        for (int x = 0; x < shot.width(); ++x)
            count += toneOf(shot.at(x, y)) == tone;
    return count;
}

}  // namespace testing_support

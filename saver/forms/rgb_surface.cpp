#include "saver/forms/rgb_surface.h"

#include <algorithm>
#include <cstdlib>

namespace forms {

RgbSurface::RgbSurface(int width, int height, Colour fillColour)
    : w(std::max(0, width)), h(std::max(0, height)), pixels(static_cast<std::size_t>(w) * h * 3)
{
    fill(fillColour);
}

Colour RgbSurface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return {};
    const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * w + x) * 3];
    return {p[0], p[1], p[2]};
}

void RgbSurface::setPixel(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return;
    std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * w + x) * 3];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

void RgbSurface::fill(Colour colour)
{
    fillRect(0, 0, w, h, colour);
}

void RgbSurface::fillRect(int x, int y, int width, int height, Colour colour)
{
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(w, x + std::max(0, width)), y1 = std::min(h, y + std::max(0, height));
    for (int row = y0; row < y1; ++row)
        for (int column = x0; column < x1; ++column)
            setPixel(column, row, colour);
}

void RgbSurface::resize(int width, int height, Colour fillColour)
{
    RgbSurface resized(width, height, fillColour);
    resized.copyFrom(*this, 0, 0, w, h, 0, 0);
    *this = std::move(resized);
}

void RgbSurface::copyFrom(const RgbSurface& source, int x, int y, int width, int height, int sourceX, int sourceY)
{
    // Clip against the source, then against this picture, moving both corners together.
    int skipX = std::max({0, -sourceX, -x}), skipY = std::max({0, -sourceY, -y});
    width = std::min({width, source.w - sourceX, w - x});
    height = std::min({height, source.h - sourceY, h - y});
    for (int row = skipY; row < height; ++row) {
        if (skipX >= width)
            break;
        const std::uint8_t* from = &source.pixels[(static_cast<std::size_t>(sourceY + row) * source.w + sourceX + skipX) * 3];
        std::uint8_t* to = &pixels[(static_cast<std::size_t>(y + row) * w + x + skipX) * 3];
        std::copy(from, from + static_cast<std::size_t>(width - skipX) * 3, to);
    }
}

void RgbSurface::stretchFrom(const RgbSurface& source, int x, int y, int width, int height, int sourceX, int sourceY,
                             int sourceWidth, int sourceHeight)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    for (int row = 0; row < height; ++row) {
        const int fromRow = sourceY + static_cast<int>(static_cast<long long>(row) * sourceHeight / height);
        for (int column = 0; column < width; ++column) {
            const int fromColumn = sourceX + static_cast<int>(static_cast<long long>(column) * sourceWidth / width);
            if (fromColumn >= 0 && fromRow >= 0 && fromColumn < source.w && fromRow < source.h)
                setPixel(x + column, y + row, source.pixel(fromColumn, fromRow));
        }
    }
}

void RgbSurface::verticalGradient(int left, int top, int right, int bottom, Colour topColour, Colour bottomColour)
{
    const int span = bottom - top;
    if (span <= 0 || right <= left)
        return;
    auto blend = [span](std::uint8_t from, std::uint8_t to, int step) {
        return static_cast<std::uint8_t>(from + (to - from) * step / span);
    };
    for (int row = top; row < bottom; ++row) {
        const int step = row - top;
        fillRect(left, row, right - left, 1,
                 {blend(topColour.r, bottomColour.r, step), blend(topColour.g, bottomColour.g, step),
                  blend(topColour.b, bottomColour.b, step)});
    }
}

void RgbSurface::line(int x1, int y1, int x2, int y2, Colour colour)
{
    // Bresenham, stopping one short of the end point.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1, stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    while (x1 != x2 || y1 != y2) {
        setPixel(x1, y1, colour);
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x1 += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y1 += stepY;
        }
    }
}

}  // namespace forms

#include "saver/forms/rgb_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "saver/forms/twips.h"

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

Colour RgbSurface::blendAt(double u, double v, int left, int top, int right, int bottom) const
{
    // (u, v): a position in pixel centres, clamped to the pixels left..right, top..bottom.
    u = std::clamp(u, double(left), double(right));
    v = std::clamp(v, double(top), double(bottom));
    const int x0 = static_cast<int>(u), y0 = static_cast<int>(v);
    const int x1 = std::min(x0 + 1, right), y1 = std::min(y0 + 1, bottom);
    const double fx = u - x0, fy = v - y0;
    const Colour a = pixel(x0, y0), b = pixel(x1, y0), c = pixel(x0, y1), d = pixel(x1, y1);
    auto mix = [&](std::uint8_t p, std::uint8_t q, std::uint8_t r, std::uint8_t s) {
        const double top = p + (q - p) * fx, bottom = r + (s - r) * fx;
        return static_cast<std::uint8_t>(std::lround(top + (bottom - top) * fy));
    };
    return {mix(a.r, b.r, c.r, d.r), mix(a.g, b.g, c.g, d.g), mix(a.b, b.b, c.b, d.b)};
}

void RgbSurface::smoothStretchFrom(const RgbSurface& source, int x, int y, int width, int height, double sourceX,
                                   double sourceY, double sourceWidth, double sourceHeight)
{
    if (width <= 0 || height <= 0 || !(sourceWidth > 0) || !(sourceHeight > 0) || source.empty())
        return;
    // The source pixels the area touches, within the picture.
    const int left = std::clamp(static_cast<int>(std::floor(sourceX)), 0, source.w - 1);
    const int top = std::clamp(static_cast<int>(std::floor(sourceY)), 0, source.h - 1);
    const int right = std::clamp(static_cast<int>(std::ceil(sourceX + sourceWidth)) - 1, left, source.w - 1);
    const int bottom = std::clamp(static_cast<int>(std::ceil(sourceY + sourceHeight)) - 1, top, source.h - 1);
    const double scaleX = sourceWidth / width, scaleY = sourceHeight / height;
    for (int row = std::max(0, -y); row < height && y + row < h; ++row) {
        const double v = sourceY + (row + 0.5) * scaleY - 0.5;
        for (int column = std::max(0, -x); column < width && x + column < w; ++column)
            setPixel(x + column, y + row, source.blendAt(sourceX + (column + 0.5) * scaleX - 0.5, v, left, top, right, bottom));
    }
}

RgbSurface atDesignSize(const RgbSurface& picture, double twipsPerPixel)
{
    const double scale = pictureTwipsPerPixel / (twipsPerPixel > 0 ? twipsPerPixel : pictureTwipsPerPixel);
    const int width = std::max(1, static_cast<int>(std::lround(picture.width() * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(picture.height() * scale)));
    if (picture.empty() || (width == picture.width() && height == picture.height()))
        return picture;
    RgbSurface sized(width, height);
    sized.smoothStretchFrom(picture, 0, 0, width, height, 0, 0, picture.width(), picture.height());
    return sized;
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

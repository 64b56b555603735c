#include "platform/gradient_fill.h"

#include <algorithm>
#include <utility>

namespace platform {
namespace {

// A channel part of the way between two vertex channels, back in 8 bits (the high byte).
std::uint8_t between(std::uint16_t from, std::uint16_t to, long step, long span)
{
    const long value = from + (static_cast<long>(to) - from) * step / span;
    return static_cast<std::uint8_t>(value >> 8);
}

void fillRectangle(PixelRows target, TriVertex first, TriVertex second, GradientMode mode)
{
    // Corners in either order; the colours stay with their vertices.
    if (first.x > second.x)
        std::swap(first.x, second.x);
    if (first.y > second.y)
        std::swap(first.y, second.y);
    const bool vertical = mode == GradientMode::RectVertical;
    const long span = vertical ? second.y - first.y : second.x - first.x;
    if (span <= 0 || second.x <= first.x || second.y <= first.y)
        return;
    const int left = std::max(0, first.x), right = std::min(target.width, second.x);
    const int top = std::max(0, first.y), bottom = std::min(target.height, second.y);
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* row = target.data + static_cast<long>(y) * target.width * 3;
        for (int x = left; x < right; ++x) {
            const long step = vertical ? y - first.y : x - first.x;
            row[x * 3] = between(first.red, second.red, step, span);
            row[x * 3 + 1] = between(first.green, second.green, step, span);
            row[x * 3 + 2] = between(first.blue, second.blue, step, span);
        }
    }
}

}  // namespace

bool gradientFill(PixelRows target, std::span<const TriVertex> vertices, std::span<const GradientRect> rectangles,
                  GradientMode mode)
{
    for (const GradientRect& rectangle : rectangles) {
        if (rectangle.upperLeft >= vertices.size() || rectangle.lowerRight >= vertices.size())
            return false;
        if (target.data)
            fillRectangle(target, vertices[rectangle.upperLeft], vertices[rectangle.lowerRight], mode);
    }
    return true;
}

}  // namespace platform

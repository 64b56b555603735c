#pragma once
// GDI's GradientFill in its two rectangle modes, drawn in software into a picture in memory
// (the forms' persistent images live there on every platform).
#include <cstdint>
#include <span>

namespace platform {

// TRIVERTEX: a point in pixels and its colour, each channel in the high byte of 16 bits.
struct TriVertex {
    std::int32_t x = 0, y = 0;
    std::uint16_t red = 0, green = 0, blue = 0, alpha = 0;
};

// GRADIENT_RECT: the indices of a rectangle's upper-left and lower-right vertices.
struct GradientRect {
    std::uint32_t upperLeft = 0, lowerRight = 0;
};

enum class GradientMode { RectHorizontal, RectVertical };

// The picture drawn into: tightly packed RGB rows, top row first.
struct PixelRows {
    std::uint8_t* data = nullptr;
    int width = 0, height = 0;
};

// Each rectangle runs from its upper-left vertex's colour to its lower-right vertex's colour,
// down the rows (vertical) or across the columns (horizontal). As in GDI the rectangle's right
// column and bottom row are left out, and what lies outside the picture is clipped. False when
// a rectangle names a vertex that isn't there.
bool gradientFill(PixelRows target, std::span<const TriVertex> vertices, std::span<const GradientRect> rectangles,
                  GradientMode mode);

}  // namespace platform

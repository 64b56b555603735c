#pragma once
// A picture in memory: the persistent back image of picture boxes, forms and user controls,
// and the source of saved bitmaps. Drawing and copying go here; the toolkit only shows it.
#include <cstdint>
#include <vector>

namespace forms {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A colour written as the forms runtime writes it: 0x00BBGGRR.
constexpr Colour colourFromBgr(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

class RgbSurface {
public:
    RgbSurface() = default;
    RgbSurface(int width, int height, Colour fill = {});

    int width() const { return w; }
    int height() const { return h; }
    bool empty() const { return w == 0 || h == 0; }
    // Tightly packed RGB rows, top row first.
    const std::uint8_t* data() const { return pixels.data(); }
    std::uint8_t* data() { return pixels.data(); }

    Colour pixel(int x, int y) const;
    void setPixel(int x, int y, Colour colour);  // outside the picture: nothing
    void fill(Colour colour);
    void fillRect(int x, int y, int width, int height, Colour colour);
    // A new size; the part that fits keeps its pixels, new area gets the fill colour.
    void resize(int width, int height, Colour fill);

    // BitBlt with SRCCOPY: the source area at (sourceX, sourceY) to (x, y), clipped on both sides.
    void copyFrom(const RgbSurface& source, int x, int y, int width, int height, int sourceX, int sourceY);
    // StretchBlt with SRCCOPY (nearest pixel): the source area scaled into the destination area.
    void stretchFrom(const RgbSurface& source, int x, int y, int width, int height, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight);
    // The source area, given in source pixels and fractions of them, scaled smoothly into the
    // destination area: each pixel blends its four nearest source pixels, never reaching outside
    // the area, so that slices cut from one picture don't bleed into each other. At the same
    // size, whole-pixel areas copy exactly.
    void smoothStretchFrom(const RgbSurface& source, int x, int y, int width, int height, double sourceX,
                           double sourceY, double sourceWidth, double sourceHeight);
    // GradientFill, vertical rectangle mode: from the top colour on row `top` to the bottom
    // colour at row `bottom`; like GDI, the right column and the bottom row are left out.
    void verticalGradient(int left, int top, int right, int bottom, Colour topColour, Colour bottomColour);
    // A line from the first point up to, not including, the second.
    void line(int x1, int y1, int x2, int y2, Colour colour);

private:
    Colour blendAt(double u, double v, int left, int top, int right, int bottom) const;

    int w = 0, h = 0;
    std::vector<std::uint8_t> pixels;
};

}  // namespace forms

namespace forms {

// A picture drawn at its design size on a screen of twipsPerPixel: its pixels are 15 twips each
// (a 96-dpi picture), scaled smoothly.
RgbSurface atDesignSize(const RgbSurface& picture, double twipsPerPixel);

}  // namespace forms

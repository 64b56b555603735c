// GDI's own GradientFill (msimg32), drawing into the picture in memory through a DIB section
// that holds a copy of it.
#include "platform/gradient_fill.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

// A memory device context with a 32-bit top-down DIB section of the picture's size selected.
class PictureContext {
public:
    PictureContext(int width, int height) : dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first, as the picture has it
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        if (dc)
            bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        if (bitmap) {
            bits = static_cast<std::uint8_t*>(pixels);
            previous = SelectObject(dc, bitmap);
        }
    }
    ~PictureContext()
    {
        if (previous)
            SelectObject(dc, previous);
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
    }
    PictureContext(const PictureContext&) = delete;
    PictureContext& operator=(const PictureContext&) = delete;

    HDC context() const { return dc; }
    // Blue, green, red and an unused byte per pixel; null when the section could not be made.
    std::uint8_t* pixels() const { return bits; }

private:
    HDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint8_t* bits = nullptr;
};

}  // namespace

bool gradientFill(PixelRows target, std::span<const TriVertex> vertices, std::span<const GradientRect> rectangles,
                  GradientMode mode)
{
    for (const GradientRect& rectangle : rectangles)
        if (rectangle.upperLeft >= vertices.size() || rectangle.lowerRight >= vertices.size())
            return false;
    if (!target.data || target.width <= 0 || target.height <= 0 || rectangles.empty())
        return true;

    PictureContext picture(target.width, target.height);
    if (!picture.pixels())
        return false;
    const std::size_t count = static_cast<std::size_t>(target.width) * target.height;
    for (std::size_t i = 0; i < count; ++i) {
        picture.pixels()[i * 4] = target.data[i * 3 + 2];
        picture.pixels()[i * 4 + 1] = target.data[i * 3 + 1];
        picture.pixels()[i * 4 + 2] = target.data[i * 3];
    }
    std::vector<TRIVERTEX> corners;
    for (const TriVertex& vertex : vertices)
        corners.push_back({vertex.x, vertex.y, vertex.red, vertex.green, vertex.blue, vertex.alpha});
    std::vector<GRADIENT_RECT> areas;
    for (const GradientRect& rectangle : rectangles)
        areas.push_back({rectangle.upperLeft, rectangle.lowerRight});
    const bool drawn = GradientFill(picture.context(), corners.data(), static_cast<ULONG>(corners.size()), areas.data(),
                                    static_cast<ULONG>(areas.size()),
                                    mode == GradientMode::RectVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    GdiFlush();
    for (std::size_t i = 0; i < count; ++i) {
        target.data[i * 3] = picture.pixels()[i * 4 + 2];
        target.data[i * 3 + 1] = picture.pixels()[i * 4 + 1];
        target.data[i * 3 + 2] = picture.pixels()[i * 4];
    }
    return drawn;
}

}  // namespace platform

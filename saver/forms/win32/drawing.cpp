#include "saver/forms/win32/drawing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace forms::win32 {

COLORREF colorRef(Colour colour)
{
    return RGB(colour.r, colour.g, colour.b);
}

void fillArea(HDC dc, const PixelRect& area, Colour colour)
{
    if (area.width <= 0 || area.height <= 0)
        return;
    const RECT filled{area.x, area.y, area.x + area.width, area.y + area.height};
    SetBkColor(dc, colorRef(colour));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &filled, nullptr, 0, nullptr);  // a fill with no brush to make
}

void frameArea(HDC dc, const PixelRect& area, Colour colour)
{
    if (area.width <= 0 || area.height <= 0)
        return;
    fillArea(dc, {area.x, area.y, area.width, 1}, colour);
    fillArea(dc, {area.x, area.y + area.height - 1, area.width, 1}, colour);
    fillArea(dc, {area.x, area.y, 1, area.height}, colour);
    fillArea(dc, {area.x + area.width - 1, area.y, 1, area.height}, colour);
}

void drawPicture(HDC dc, const RgbSurface& picture, int x, int y, int width, int height)
{
    width = std::min(width, picture.width());
    height = std::min(height, picture.height());
    if (width <= 0 || height <= 0)
        return;
    // GDI takes 32-bit top-down rows in blue, green, red order.
    std::vector<std::uint8_t> bgra(std::size_t(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* from = picture.data() + std::size_t(row) * picture.width() * 3;
        std::uint8_t* to = bgra.data() + std::size_t(row) * width * 4;
        for (int column = 0; column < width; ++column, from += 3, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = 0;
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), bgra.data(), &info, DIB_RGB_COLORS);
}

void drawBackground(HDC dc, const Container& container)
{
    const Container::Background background = container.background();
    const int x = container.innerLeftPixels(), y = container.innerTopPixels();
    const int width = container.innerWidthPixels(), height = container.innerHeightPixels();
    const int shownWidth = background.picture ? std::min(width, background.picture->width()) : 0;
    const int shownHeight = background.picture ? std::min(height, background.picture->height()) : 0;
    fillArea(dc, {x + shownWidth, y, width - shownWidth, height}, background.fill);
    fillArea(dc, {x, y + shownHeight, shownWidth, height - shownHeight}, background.fill);
    if (shownWidth > 0 && shownHeight > 0)
        drawPicture(dc, *background.picture, x, y, shownWidth, shownHeight);
}

BufferedPaint::BufferedPaint(HDC target, int width, int height)
    : target(target), width(std::max(1, width)), height(std::max(1, height)),
      memory(CreateCompatibleDC(target)), bitmap(CreateCompatibleBitmap(target, this->width, this->height))
{
    previous = SelectObject(memory.get(), bitmap.get());
}

BufferedPaint::~BufferedPaint()
{
    BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    SelectObject(memory.get(), previous);
}

}  // namespace forms::win32

#include "saver/forms/win32/cursors.h"

#include <cstdint>
#include <map>
#include <vector>

#include "saver/forms/screen.h"

namespace forms::win32 {
namespace {

// A 32-bit top-down colour bitmap with its alpha and a monochrome mask set where alpha is 0.
OwnedIcon iconOf(const std::vector<std::uint8_t>& rgba, int width, int height, bool isIcon, int hotX, int hotY)
{
    if (width <= 0 || height <= 0)
        return {};
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = width;
    header.bV5Height = -height;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    WindowDc screen;
    OwnedBitmap colour(CreateDIBSection(screen.context(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                        &bits, nullptr, 0));
    if (!colour)
        return {};
    const int rowBytes = ((width + 15) / 16) * 2;  // monochrome rows are word-aligned
    std::vector<std::uint8_t> maskBits(std::size_t(rowBytes) * height, 0);
    auto* pixels = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* from = &rgba[(std::size_t(y) * width + x) * 4];
            std::uint8_t* to = pixels + (std::size_t(y) * width + x) * 4;
            const bool clear = from[3] == 0;
            to[0] = clear ? 0 : from[2];
            to[1] = clear ? 0 : from[1];
            to[2] = clear ? 0 : from[0];
            to[3] = from[3];
            if (clear)
                maskBits[std::size_t(y) * rowBytes + x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
    OwnedBitmap mask(CreateBitmap(width, height, 1, 1, maskBits.data()));
    ICONINFO info{};
    info.fIcon = isIcon ? TRUE : FALSE;
    info.xHotspot = static_cast<DWORD>(hotX);
    info.yHotspot = static_cast<DWORD>(hotY);
    info.hbmMask = mask.get();
    info.hbmColor = colour.get();
    return OwnedIcon(CreateIconIndirect(&info));  // which copies both bitmaps
}

// The custom pointers made so far, one per picture, kept while the program runs.
HCURSOR customCursor(const std::shared_ptr<const PointerPicture>& picture)
{
    static std::map<std::shared_ptr<const PointerPicture>, OwnedIcon> made;
    auto found = made.find(picture);
    if (found == made.end())
        found = made.emplace(picture, iconOf(picture->rgba, picture->width, picture->height, false, picture->hotX,
                                             picture->hotY))
                    .first;
    return found->second.get();
}

}  // namespace

HCURSOR cursorFor(ControlPointer pointer, const std::shared_ptr<const PointerPicture>& picture)
{
    if (Screen::mousePointer() == MousePointer::Hourglass)
        return LoadCursorA(nullptr, IDC_WAIT);
    if (pointer == ControlPointer::Custom && picture)
        if (HCURSOR custom = customCursor(picture))
            return custom;
    if (pointer != ControlPointer::Default)
        return LoadCursorA(nullptr, IDC_HAND);
    return LoadCursorA(nullptr, IDC_ARROW);
}

void refreshCursor()
{
    POINT point{};
    if (!GetCursorPos(&point))
        return;
    HWND under = WindowFromPoint(point);
    DWORD process = 0;
    if (under && GetWindowThreadProcessId(under, &process) == GetCurrentThreadId())
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)), WM_MOUSEMOVE));
}

OwnedIcon iconFrom(const RgbSurface& picture)
{
    std::vector<std::uint8_t> rgba;
    rgba.reserve(std::size_t(picture.width()) * picture.height() * 4);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.pixel(x, y);
            rgba.insert(rgba.end(), {c.r, c.g, c.b, 255});
        }
    return iconOf(rgba, picture.width(), picture.height(), true, 0, 0);
}

}  // namespace forms::win32

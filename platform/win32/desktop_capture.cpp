// The desktop photograph on Windows: the desktop window's device context copied by BitBlt into
// a top-down 24-bit DIB section, whose blue-green-red pixels become the caller's RGB.
#include "platform/desktop_capture.h"

#include <windows.h>

#include <cstring>
#include <memory>

namespace platform {
namespace {

struct ScreenDc {
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    ~ScreenDc()
    {
        if (dc)
            ReleaseDC(desktop, dc);
    }
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc()
    {
        if (dc)
            DeleteDC(dc);
    }
};

struct ObjectDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter>;

// Keeps an object selected into a device context while it lives.
struct Selection {
    HDC dc;
    HGDIOBJ previous;
    Selection(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc, previous); }
};

}  // namespace

bool copyScreenArea(int x, int y, int width, int height, std::uint8_t* rgb)
{
    if (width <= 0 || height <= 0)
        return false;
    const ScreenDc screen;
    if (!screen.dc)
        return false;
    const MemoryDc memory(screen.dc);
    if (!memory.dc)
        return false;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Bitmap section(CreateDIBSection(screen.dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits)
        return false;
    {
        // A new DIB section is black, so what lies beyond the screen stays black.
        const Selection selected(memory.dc, section.get());
        if (!BitBlt(memory.dc, 0, 0, width, height, screen.dc, x, y, SRCCOPY))
            return false;
    }
    GdiFlush();

    // DIB rows are padded to four bytes.
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    for (int row = 0; row < height; ++row) {
        const auto* in = static_cast<const std::uint8_t*>(bits) + row * stride;
        std::uint8_t* out = rgb + std::size_t(row) * width * 3;
        for (int column = 0; column < width; ++column, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return true;
}

}  // namespace platform

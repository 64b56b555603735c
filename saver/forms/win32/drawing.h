#pragma once
// GDI drawing of the forms runtime's software pictures and plain shapes.
#include "saver/forms/win32/handles.h"

#include "saver/forms/container.h"
#include "saver/forms/rgb_surface.h"

namespace forms::win32 {

using backend::PixelRect;

COLORREF colorRef(Colour colour);
void fillArea(HDC dc, const PixelRect& area, Colour colour);
// A one-pixel outline just inside the area.
void frameArea(HDC dc, const PixelRect& area, Colour colour);
// The picture's top-left part of the size given, drawn at (x, y).
void drawPicture(HDC dc, const RgbSurface& picture, int x, int y, int width, int height);
// A container's background over its inner area: its picture at the corner, the fill around.
void drawBackground(HDC dc, const Container& container);

// An off-screen copy of a window's client area, drawn in one go at the end, so that nothing
// flickers while the background and the controls over it are painted.
class BufferedPaint {
public:
    BufferedPaint(HDC target, int width, int height);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC context() const { return memory.get(); }

private:
    HDC target;
    int width, height;
    OwnedMemoryDc memory;
    OwnedBitmap bitmap;
    HGDIOBJ previous = nullptr;
};

}  // namespace forms::win32

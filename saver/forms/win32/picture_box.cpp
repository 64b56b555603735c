// A picture box on Win32: no window of its own. It paints its image and border into its
// container's window, its controls over them, and moving it moves them along.
#include "saver/forms/picture_box.h"
#include "saver/forms/win32/drawing.h"
#include "saver/forms/win32/element.h"

namespace forms::win32 {
namespace {

class PictureBoxPeer : public PeerOf<backend::PictureBoxPeer>, public Canvas {
public:
    explicit PictureBoxPeer(PictureBox& box) : PeerOf(box), box(box) {}

    void adopt(backend::ControlPeer& control) override { Canvas::adopt(elementOf(control)); }
    void refresh() override
    {
        invalidate();
        if (HWND host = hostWindow())
            UpdateWindow(host);
    }
    HWND hostWindow() const override { return holder() ? holder()->hostWindow() : nullptr; }
    bool showsControls() const override { return shownInHost(); }
    bool enablesControls() const override { return enabledInHost(); }
    void stateChanged() override { stateChangedAround(); }

    void paint(HDC dc) override
    {
        const SavedDcState unclipped(dc);
        IntersectClipRect(dc, rect.x, rect.y, rect.x + rect.width, rect.y + rect.height);
        drawBackground(dc, box);
        if (box.hasBorder())
            frameArea(dc, rect, {0, 0, 0});
        paintElements(dc);
    }
    // Controls inside the box come first; what they leave is the box's own.
    Element* elementAt(POINT point) override
    {
        if (Element* inner = Canvas::elementAt(point))
            return inner;
        return Element::elementAt(point);
    }
    void realize(HWND host) override { realizeElements(host); }
    void unrealize() override { unrealizeElements(); }
    HBRUSH controlColour(HWND child, HDC dc) override { return Canvas::controlColour(child, dc); }
    bool focusEntered(HWND child) override { return Canvas::focusEntered(child); }

protected:
    void placed() override
    {
        const int dx = rect.x - last.x, dy = rect.y - last.y;
        last = rect;
        if (dx || dy)
            shiftElements(dx, dy);
    }

private:
    PictureBox& box;
    PixelRect last;
};

}  // namespace
}  // namespace forms::win32

namespace forms::backend {

std::unique_ptr<PictureBoxPeer> makePictureBox(PictureBox& owner)
{
    return std::make_unique<win32::PictureBoxPeer>(owner);
}

}  // namespace forms::backend

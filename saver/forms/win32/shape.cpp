// A shape on Win32: a one-pixel outline drawn into its container's window; the pointer passes
// through it to what is under it.
#include "saver/forms/shape.h"
#include "saver/forms/win32/drawing.h"
#include "saver/forms/win32/element.h"

namespace forms::win32 {
namespace {

class ShapePeer : public PeerOf<backend::ControlPeer> {
public:
    explicit ShapePeer(Shape& shape) : PeerOf(shape), shape(shape) {}

    void paint(HDC dc) override { frameArea(dc, rect, shape.borderColor()); }

protected:
    bool takesPointer() const override { return false; }

private:
    Shape& shape;
};

}  // namespace
}  // namespace forms::win32

namespace forms::backend {

std::unique_ptr<ControlPeer> makeShape(Shape& owner)
{
    return std::make_unique<win32::ShapePeer>(owner);
}

}  // namespace forms::backend

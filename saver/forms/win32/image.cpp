// An image control on Win32: the picture drawn into its container's window, stretched in
// software when asked.
#include "saver/forms/image_control.h"
#include "saver/forms/win32/drawing.h"
#include "saver/forms/win32/element.h"

namespace forms::win32 {
namespace {

class ImagePeer : public PeerOf<backend::ControlPeer> {
public:
    explicit ImagePeer(ImageControl& image) : PeerOf(image), image(image) {}

    void paint(HDC dc) override
    {
        const auto& picture = image.picture();
        if (!picture || picture->empty() || rect.width <= 0 || rect.height <= 0)
            return;
        if (image.stretch() && (picture->width() != rect.width || picture->height() != rect.height)) {
            RgbSurface scaled(rect.width, rect.height);
            scaled.stretchFrom(*picture, 0, 0, rect.width, rect.height, 0, 0, picture->width(), picture->height());
            drawPicture(dc, scaled, rect.x, rect.y, rect.width, rect.height);
        } else {
            drawPicture(dc, *image.shownPicture(), rect.x, rect.y, rect.width, rect.height);
        }
    }

private:
    ImageControl& image;
};

}  // namespace
}  // namespace forms::win32

namespace forms::backend {

std::unique_ptr<ControlPeer> makeImage(ImageControl& owner)
{
    return std::make_unique<win32::ImagePeer>(owner);
}

}  // namespace forms::backend

#include "saver/startup/preview_form.h"

#include <memory>

#include "assets/preview_bmp.h"
#include "platform/native_window.h"
#include "saver/forms/bitmap_file.h"
#include "saver/forms/conversions.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/runtime.h"
#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace {

Hoarveil_R& previewForm()
{
    static Hoarveil_R form;
    return form;
}

// The size of the preview picture, which is that of the display-properties preview.
constexpr int pictureWidth = 152, pictureHeight = 112;

}  // namespace

Hoarveil_R::Hoarveil_R() : Form("Preview Window"), Img_Prev(*this, "Img_Prev")
{
    setBorderStyle(forms::BorderStyle::NoBorder);
    setBackColor({0, 0, 0});
    setScaleMode(forms::ScaleMode::Pixels);
    // The picture follows the size of the host's window.
    Img_Prev.setPicture(std::make_shared<const forms::RgbSurface>(forms::decodeBitmap(assets::preview_bmp())));
    Img_Prev.setStretch(true);
    Img_Prev.movePixels(0, 0, pictureWidth, pictureHeight);
}

void Hoarveil_R::Form_Unload(int&)
{
    platform::postCloseRequest(hWnd());
}

void startPreview(std::int32_t parentHandle)
{
    using forms::suppressErrors;
    Hoarveil_R& form = previewForm();
    const auto parent = static_cast<platform::NativeWindow>(static_cast<std::uint32_t>(parentHandle));
    // The host's rectangle, the screen's resolution and the preview's window in the host's own pixels.
    platform::prepareChildOf(parent);
    const double twipsPerPixelX = forms::Screen::twipsPerPixelX(), twipsPerPixelY = forms::Screen::twipsPerPixelY();

    platform::Rect host;
    const bool hostExists = platform::getWindowRect(parent, host);
    double width = 0, height = 0;
    // Each size is a 16-bit number of twips; one that does not fit stays 0.
    suppressErrors([&] { width = forms::toInt16(twipsPerPixelX * (host.right - host.left)).value(); });
    suppressErrors([&] { height = forms::toInt16(twipsPerPixelY * (host.bottom - host.top)).value(); });
    // Without a host window there is nowhere to be seen and no host to end the preview: a
    // process left behind invisibly would never end.
    if (!hostExists)
        forms::endProcess();

    suppressErrors([&] { form.load(); });
    if (!platform::setParent(form.hWnd(), parent))
        forms::endProcess();
    suppressErrors([&] { form.move(0, 0, width, height); });
    suppressErrors([&] {
        form.Img_Prev.movePixels(0, 0, forms::twipsToPixels(width, twipsPerPixelX), forms::twipsToPixels(height, twipsPerPixelY));
    });
    suppressErrors([&] { form.show(); });
}

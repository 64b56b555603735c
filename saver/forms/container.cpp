#include "saver/forms/container.h"

#include <algorithm>

#include "saver/forms/control.h"
#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace forms {

Container::~Container()
{
    releaseControls();
}

void Container::releaseControls()
{
    for (Control* control : held)
        control->leaveContainer();
    held.clear();
}

double Container::scaleWidth() const
{
    const int pixels = innerWidthPixels();
    return scale == ScaleMode::Pixels ? pixels : pixelsToTwips(pixels, Screen::twipsPerPixelX());
}

double Container::scaleHeight() const
{
    const int pixels = innerHeightPixels();
    return scale == ScaleMode::Pixels ? pixels : pixelsToTwips(pixels, Screen::twipsPerPixelY());
}

int Container::scaleToPixels(double length) const
{
    return scale == ScaleMode::Pixels ? static_cast<int>(length) : twipsToPixels(length, Screen::twipsPerPixelX());
}

void Container::setBackColor(Colour colour)
{
    back = colour;
    if (!imageInUse)
        return;
    freshImage();
}

void Container::setPicture(std::shared_ptr<const RgbSurface> picture)
{
    storedPicture = std::move(picture);
    if (imageInUse)
        freshImage();
}

RgbSurface& Container::image()
{
    const int width = std::max(0, innerWidthPixels()), height = std::max(0, innerHeightPixels());
    if (!imageInUse) {
        imageInUse = true;
        freshImage();
    } else if (persistentImage.width() != width || persistentImage.height() != height) {
        persistentImage.resize(width, height, back);
    }
    return persistentImage;
}

void Container::cls()
{
    imageInUse = true;
    freshImage();
}

void Container::resolutionChanged()
{
    if (imageInUse)
        freshImage();
}

void Container::freshImage()
{
    persistentImage = RgbSurface(std::max(0, innerWidthPixels()), std::max(0, innerHeightPixels()), back);
    if (const RgbSurface* shown = shownPicture())
        persistentImage.copyFrom(*shown, 0, 0, shown->width(), shown->height(), 0, 0);
}

void Container::line(double x1, double y1, double x2, double y2, Colour colour)
{
    image().line(scaleToPixels(x1), scaleToPixels(y1), scaleToPixels(x2), scaleToPixels(y2), colour);
}

Container::Background Container::background() const
{
    if (imageInUse)
        return {&persistentImage, back};
    return {shownPicture(), back};
}

const RgbSurface* Container::shownPicture() const
{
    return sizedPicture.of(storedPicture);
}

}  // namespace forms

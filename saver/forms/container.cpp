#include "saver/forms/container.h"

#include <FL/Fl_Group.H>
#include <FL/fl_draw.H>

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

void Container::freshImage()
{
    persistentImage = RgbSurface(std::max(0, innerWidthPixels()), std::max(0, innerHeightPixels()), back);
    if (storedPicture)
        persistentImage.copyFrom(*storedPicture, 0, 0, storedPicture->width(), storedPicture->height(), 0, 0);
}

void Container::line(double x1, double y1, double x2, double y2, Colour colour)
{
    image().line(scaleToPixels(x1), scaleToPixels(y1), scaleToPixels(x2), scaleToPixels(y2), colour);
}

void Container::paintBackground() const
{
    const int x = innerLeftPixels(), y = innerTopPixels(), width = innerWidthPixels(), height = innerHeightPixels();
    if (imageInUse)
        drawPicture(persistentImage, x, y, width, height, back);
    else if (storedPicture)
        drawPicture(*storedPicture, x, y, width, height, back);
    else
        drawPicture(RgbSurface(), x, y, width, height, back);
}

void drawPicture(const RgbSurface& picture, int x, int y, int width, int height, Colour fill)
{
    const int shownWidth = std::min(width, picture.width()), shownHeight = std::min(height, picture.height());
    fl_color(fl_rgb_color(fill.r, fill.g, fill.b));
    if (shownWidth < width)
        fl_rectf(x + shownWidth, y, width - shownWidth, height);
    if (shownHeight < height)
        fl_rectf(x, y + shownHeight, shownWidth, height - shownHeight);
    if (shownWidth > 0 && shownHeight > 0)
        fl_draw_image(picture.data(), x, y, shownWidth, shownHeight, 3, picture.width() * 3);
}

}  // namespace forms

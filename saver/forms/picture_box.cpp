#include "saver/forms/picture_box.h"

#include <stdexcept>

namespace forms {

PictureBox::PictureBox(Container& container, std::string name, int index) : Control(container, std::move(name), index)
{
    auto peer = backend::makePictureBox(*this);
    box = peer.get();
    attach(std::move(peer));
}

PictureBox::~PictureBox()
{
    releaseControls();
}

void PictureBox::setBorder(bool fixedSingle)
{
    border = fixedSingle;
    box->redraw();
}

int PictureBox::innerLeftPixels() const
{
    return box->bounds().x + (border ? 1 : 0);
}

int PictureBox::innerTopPixels() const
{
    return box->bounds().y + (border ? 1 : 0);
}

int PictureBox::innerWidthPixels() const
{
    return box->bounds().width - (border ? 2 : 0);
}

int PictureBox::innerHeightPixels() const
{
    return box->bounds().height - (border ? 2 : 0);
}

Form& PictureBox::form()
{
    if (!container())
        throw std::logic_error("the picture box " + name() + " is on no form any more");
    return container()->form();
}

}  // namespace forms

#include "saver/forms/label.h"

namespace forms {

Label::Label(Container& container, std::string name, int index) : Control(container, std::move(name), index)
{
    attach(backend::makeLabel(*this));
    applyLook();
}

void Label::setCaption(const std::string& caption)
{
    text = caption;
    applyLook();
}

void Label::setFont(const FontSpec& font)
{
    face = font;
    applyLook();
}

void Label::setForeColor(Colour colour)
{
    fore = colour;
    applyLook();
}

void Label::setBackColor(Colour colour)
{
    back = colour;
    applyLook();
}

void Label::setTransparent(bool isTransparent)
{
    seeThrough = isTransparent;
    applyLook();
}

void Label::setAlignment(Alignment alignment)
{
    align = alignment;
    applyLook();
}

void Label::applyLook()
{
    peer().redraw();
}

}  // namespace forms

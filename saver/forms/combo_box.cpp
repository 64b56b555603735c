#include "saver/forms/combo_box.h"

namespace forms {

ComboBox::ComboBox(Container& container, std::string name, int index) : Control(container, std::move(name), index)
{
    auto peer = backend::makeComboBox(*this);
    choice = peer.get();
    attach(std::move(peer));
}

void ComboBox::addItem(const std::string& entry)
{
    choice->addItem(entry);
}

int ComboBox::listCount() const
{
    return choice->listCount();
}

std::string ComboBox::list(int index) const
{
    if (index < 0 || index >= listCount())
        return {};
    return choice->list(index);
}

std::string ComboBox::text() const
{
    return choice->text();
}

void ComboBox::setText(const std::string& text)
{
    choice->setText(text);
}

void ComboBox::setFont(const FontSpec& font)
{
    chosenFont = font;
    choice->setFont(font);
}

void ComboBox::rescaled()
{
    if (chosenFont)
        choice->setFont(*chosenFont);
    Control::rescaled();
}

void ComboBox::setBackColor(Colour colour)
{
    choice->setBackColor(colour);
}

}  // namespace forms

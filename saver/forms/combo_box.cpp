#include "saver/forms/combo_box.h"

#include <FL/Fl_Input_Choice.H>

#include "saver/forms/fonts.h"

namespace forms {

ComboBox::ComboBox(Container& container, std::string name, int index) : Control(container, std::move(name), index)
{
    attach(newWidget<Fl_Input_Choice>(0, 0, 0, 0));
    choice().color(FL_WHITE);
}

Fl_Input_Choice& ComboBox::choice() const
{
    return static_cast<Fl_Input_Choice&>(widget());
}

void ComboBox::addItem(const std::string& entry)
{
    // Menu texts treat "/", "&", "_" and "\" specially: the entry is added under a stand-in
    // text, then given its own text as it stands (an empty entry keeps its place too).
    Fl_Menu_Button& menu = *choice().menubutton();
    const int at = menu.add("\x01");  // a text no entry has, so no entry is replaced
    menu.replace(at, entry.c_str());
}

int ComboBox::listCount() const
{
    return choice().menubutton()->size() - 1;  // the menu ends with a terminator
}

std::string ComboBox::list(int index) const
{
    if (index < 0 || index >= listCount())
        return {};
    const char* entry = choice().menubutton()->menu()[index].label();
    return entry ? entry : "";
}

std::string ComboBox::text() const
{
    const char* value = choice().value();
    return value ? value : "";
}

void ComboBox::setText(const std::string& text)
{
    choice().value(text.c_str());
}

void ComboBox::setFont(const FontSpec& font)
{
    choice().textfont(toolkitFont(font));
    choice().textsize(toolkitFontSize(font));
    choice().input()->textfont(toolkitFont(font));
    choice().input()->textsize(toolkitFontSize(font));
}

void ComboBox::setBackColor(Colour colour)
{
    choice().color(fl_rgb_color(colour.r, colour.g, colour.b));
    choice().input()->color(fl_rgb_color(colour.r, colour.g, colour.b));
}

}  // namespace forms

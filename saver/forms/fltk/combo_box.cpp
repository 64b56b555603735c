// A combo box on FLTK: an input with a drop-down menu of the entries.
#include <FL/Fl.H>
#include <FL/Fl_Input_Choice.H>

#include <algorithm>
#include <cmath>

#include "saver/forms/combo_box.h"
#include "saver/forms/fltk/control_widget.h"
#include "saver/forms/fltk/fonts.h"
#include "saver/forms/screen.h"

namespace forms::fltk {
namespace {

class ComboBoxWidget : public ControlWidget<Fl_Input_Choice, backend::ComboBoxPeer> {
public:
    explicit ComboBoxWidget(ComboBox& owner) : ControlWidget(owner, 0, 0, 0, 0), owner(owner) { color(FL_WHITE); }

    // The box's input and menu take the pointer themselves: a combo box raises no mouse events.
    int handle(int event) override
    {
        // The box is one control: keys its input left go on to the form, not between its parts.
        if (event == FL_KEYBOARD || event == FL_SHORTCUT)
            return 0;
        const int taken = Fl_Input_Choice::handle(event);
        if (event == FL_PUSH && hasFocus())
            owner.focusChanged(true);
        return taken;
    }

    // The focus goes to the typed text, never to the list's button.
    void takeFocus() override
    {
        if (!hasFocus() && input()->take_focus())
            owner.focusChanged(true);
    }

    void addItem(const std::string& entry) override
    {
        // Menu texts treat "/", "&", "_" and "\" specially: the entry is added under a stand-in
        // text, then given its own text as it stands (an empty entry keeps its place too).
        Fl_Menu_Button& menu = *menubutton();
        const int at = menu.add("\x01");  // a text no entry has, so no entry is replaced
        menu.replace(at, entry.c_str());
    }

    int listCount() const override
    {
        return const_cast<ComboBoxWidget*>(this)->menubutton()->size() - 1;  // the menu ends with a terminator
    }

    std::string list(int index) const override
    {
        const char* entry = const_cast<ComboBoxWidget*>(this)->menubutton()->menu()[index].label();
        return entry ? entry : "";
    }

    std::string text() const override
    {
        const char* shown = value();
        return shown ? shown : "";
    }

    void setText(const std::string& text) override { value(text.c_str()); }

    void setFont(const FontSpec& font) override
    {
        textfont(toolkitFont(font));
        textsize(toolkitFontSize(font));
        input()->textfont(toolkitFont(font));
        input()->textsize(toolkitFontSize(font));
        // The open list's rows follow its text size: at 150 % they are half as tall again.
        menubutton()->textfont(toolkitFont(font));
        menubutton()->textsize(toolkitFontSize(font));
    }

    // The toolkit's arrow button is 20 pixels wide at any resolution; it grows with the screen's
    // scaling like the rest of the box.
    void resize(int x, int y, int width, int height) override
    {
        Fl_Input_Choice::resize(x, y, width, height);
        const int arrow = std::lround(20 * Screen::dotsPerInch() / 96.0);
        const int dx = Fl::box_dx(box()), dy = Fl::box_dy(box());
        const int innerWidth = width - Fl::box_dw(box()), innerHeight = height - Fl::box_dh(box());
        input()->resize(x + dx, y + dy, std::max(0, innerWidth - arrow), innerHeight);
        menubutton()->resize(x + width - dx - arrow, y + dy, arrow, innerHeight);
    }

    void setBackColor(Colour colour) override
    {
        color(fl_rgb_color(colour.r, colour.g, colour.b));
        input()->color(fl_rgb_color(colour.r, colour.g, colour.b));
    }

private:
    ComboBox& owner;
};

}  // namespace
}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<ComboBoxPeer> makeComboBox(ComboBox& owner)
{
    return fltk::newWidget<fltk::ComboBoxWidget>(owner);
}

}  // namespace forms::backend

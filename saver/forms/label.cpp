#include "saver/forms/label.h"

#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>

#include "saver/forms/fonts.h"

namespace forms {
namespace {

// The toolkit reads "@" as the start of a drawn symbol; "@@" is a plain "@".
std::string withoutSymbols(const std::string& text)
{
    std::string plain;
    for (char c : text)
        plain += c == '@' ? std::string("@@") : std::string(1, c);
    return plain;
}

}  // namespace

class Label::Widget : public ControlWidget<Fl_Box> {
public:
    explicit Widget(Label& owner) : ControlWidget<Fl_Box>(owner, 0, 0, 0, 0), owner(owner) {}

    void draw() override
    {
        draw_box();
        // The whole width: the toolkit's own label drawing keeps 3 pixels clear on each side,
        // which the forms runtime's labels don't.
        draw_label(x(), y(), w(), h());
        if (owner.face.underline && !owner.text.empty()) {
            // The toolkit has no underlined fonts: the line goes under the text by hand.
            fl_font(labelfont(), labelsize());
            int textWidth = 0, textHeight = 0;
            fl_measure(owner.text.c_str(), textWidth, textHeight, 0);
            textWidth = std::min(textWidth, w());
            const int left = owner.align == Alignment::Left    ? x()
                             : owner.align == Alignment::Right ? x() + w() - textWidth
                                                               : x() + (w() - textWidth) / 2;
            const int base = y() + fl_height() - fl_descent() + 1;
            fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
            fl_line(left, base, left + textWidth - 1, base);
        }
    }

private:
    Label& owner;
};

Label::Label(Container& container, std::string name, int index) : Control(container, std::move(name), index)
{
    attach(newWidget<Widget>(*this));
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
    transparent = isTransparent;
    applyLook();
}

void Label::setAlignment(Alignment alignment)
{
    align = alignment;
    applyLook();
}

void Label::applyLook()
{
    Fl_Widget& box = widget();
    box.copy_label(withoutSymbols(text).c_str());
    box.labeltype(FL_NORMAL_LABEL);
    box.labelfont(toolkitFont(face));
    box.labelsize(toolkitFontSize(face));
    box.labelcolor(fl_rgb_color(fore.r, fore.g, fore.b));
    box.box(transparent ? FL_NO_BOX : FL_FLAT_BOX);
    box.color(fl_rgb_color(back.r, back.g, back.b));
    const Fl_Align horizontal = align == Alignment::Left    ? FL_ALIGN_LEFT
                                : align == Alignment::Right ? FL_ALIGN_RIGHT
                                                            : FL_ALIGN_CENTER;
    // Text starts at the top and wraps at the width, never drawn outside the label.
    box.align(horizontal | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
    if (Fl_Group* group = box.parent())
        group->redraw();
    else
        box.redraw();
}

}  // namespace forms

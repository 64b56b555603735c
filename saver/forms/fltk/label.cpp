// A label on FLTK: a box that draws the caption over the whole width, with its own underline.
#include <FL/Fl_Box.H>
#include <FL/fl_draw.H>

#include "saver/forms/fltk/control_widget.h"
#include "saver/forms/fltk/fonts.h"
#include "saver/forms/label.h"

namespace forms::fltk {
namespace {

// The toolkit reads "@" as the start of a drawn symbol; "@@" is a plain "@".
std::string withoutSymbols(const std::string& text)
{
    std::string plain;
    for (char c : text)
        plain += c == '@' ? std::string("@@") : std::string(1, c);
    return plain;
}

class LabelWidget : public ControlWidget<Fl_Box> {
public:
    explicit LabelWidget(Label& owner) : ControlWidget(owner, 0, 0, 0, 0), owner(owner) {}

    void draw() override
    {
        draw_box();
        // The whole width: the toolkit's own label drawing keeps 3 pixels clear on each side,
        // which the forms runtime's labels don't.
        draw_label(x(), y(), w(), h());
        if (owner.font().underline && !owner.caption().empty()) {
            // The toolkit has no underlined fonts: the line goes under the text by hand.
            fl_font(labelfont(), labelsize());
            int textWidth = 0, textHeight = 0;
            fl_measure(owner.caption().c_str(), textWidth, textHeight, 0);
            textWidth = std::min(textWidth, w());
            const Alignment align = owner.alignment();
            const int left = align == Alignment::Left    ? x()
                             : align == Alignment::Right ? x() + w() - textWidth
                                                         : x() + (w() - textWidth) / 2;
            const int base = y() + fl_height() - fl_descent() + 1;
            fl_color(active_r() ? labelcolor() : fl_inactive(labelcolor()));
            fl_line(left, base, left + textWidth - 1, base);
        }
    }

    // The label's look changed.
    void redraw() override
    {
        const Colour fore = owner.foreColor(), back = owner.backColor();
        copy_label(withoutSymbols(owner.caption()).c_str());
        labeltype(FL_NORMAL_LABEL);
        labelfont(toolkitFont(owner.font()));
        labelsize(toolkitFontSize(owner.font()));
        labelcolor(fl_rgb_color(fore.r, fore.g, fore.b));
        box(owner.transparent() ? FL_NO_BOX : FL_FLAT_BOX);
        color(fl_rgb_color(back.r, back.g, back.b));
        const Fl_Align horizontal = owner.alignment() == Alignment::Left    ? FL_ALIGN_LEFT
                                    : owner.alignment() == Alignment::Right ? FL_ALIGN_RIGHT
                                                                            : FL_ALIGN_CENTER;
        // Text starts at the top and wraps at the width, never drawn outside the label.
        align(horizontal | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
        if (Fl_Group* group = parent())
            group->redraw();
        else
            Fl_Box::redraw();
    }

private:
    Label& owner;
};

}  // namespace
}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<ControlPeer> makeLabel(Label& owner)
{
    return fltk::newWidget<fltk::LabelWidget>(owner);
}

}  // namespace forms::backend

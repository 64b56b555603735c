#pragma once
// A label: a windowless caption with a font, colours, alignment and a transparent or opaque
// background. A disabled label draws its text greyed.
#include "saver/forms/control.h"
#include "saver/forms/property_bag.h"
#include "saver/forms/rgb_surface.h"

namespace forms {

enum class Alignment { Left, Right, Centre };

class Label : public Control {
public:
    Label(Container& container, std::string name, int index = -1);

    const std::string& caption() const { return text; }
    void setCaption(const std::string& caption);
    const FontSpec& font() const { return face; }
    void setFont(const FontSpec& font);
    Colour foreColor() const { return fore; }
    void setForeColor(Colour colour);
    Colour backColor() const { return back; }
    void setBackColor(Colour colour);
    // Transparent (the default here) shows what is under the label around the text.
    bool transparent() const { return seeThrough; }
    void setTransparent(bool transparent);
    Alignment alignment() const { return align; }
    void setAlignment(Alignment alignment);

private:
    void applyLook();

    std::string text;
    FontSpec face;
    Colour fore{0, 0, 0};
    Colour back{240, 240, 240};
    bool seeThrough = true;
    Alignment align = Alignment::Left;
};

}  // namespace forms

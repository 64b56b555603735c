#pragma once
// A drop-down combo box whose text can also be typed: a list of entries and an edit text.
#include <optional>
#include <string>

#include "saver/forms/control.h"
#include "saver/forms/property_bag.h"
#include "saver/forms/rgb_surface.h"

namespace forms {

class ComboBox : public Control {
public:
    ComboBox(Container& container, std::string name, int index = -1);

    void addItem(const std::string& entry);
    int listCount() const;
    std::string list(int index) const;
    std::string text() const;
    void setText(const std::string& text);
    void setFont(const FontSpec& font);
    void setBackColor(Colour colour);

protected:
    bool tabStop() const override { return true; }
    void rescaled() override;

private:
    backend::ComboBoxPeer* choice;
    std::optional<FontSpec> chosenFont;
};

}  // namespace forms

#pragma once
// A shape: a windowless rectangle outline.
#include "saver/forms/control.h"
#include "saver/forms/rgb_surface.h"

namespace forms {

class Shape : public Control {
public:
    Shape(Container& container, std::string name, int index = -1);

    Colour borderColor() const { return border; }
    void setBorderColor(Colour colour);

private:
    Colour border{0, 0, 0};
};

}  // namespace forms

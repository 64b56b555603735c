#include "saver/forms/shape.h"

namespace forms {

Shape::Shape(Container& container, std::string name, int index) : Control(container, std::move(name), index)
{
    attach(backend::makeShape(*this));
}

void Shape::setBorderColor(Colour colour)
{
    border = colour;
    peer().redraw();
}

}  // namespace forms

#include "saver/forms/win32/element.h"

#include <algorithm>

#include "saver/forms/win32/pointer_input.h"

namespace forms::win32 {

bool Element::reachable() const
{
    return isShown && isActive && takesPointer();
}

bool Element::shownInHost() const
{
    return isShown && (!container || container->showsControls());
}

bool Element::enabledInHost() const
{
    return isActive && (!container || container->enablesControls());
}

Element* Element::elementAt(POINT point)
{
    const bool inside = point.x >= rect.x && point.y >= rect.y && point.x < rect.x + rect.width &&
                        point.y < rect.y + rect.height;
    return inside && reachable() ? this : nullptr;
}

void Element::shift(int dx, int dy)
{
    auto& self = dynamic_cast<backend::ControlPeer&>(*this);
    self.place({rect.x + dx, rect.y + dy, rect.width, rect.height});
}

void Element::invalidate() const
{
    if (HWND own = window()) {
        InvalidateRect(own, nullptr, FALSE);
        return;
    }
    if (container)
        container->invalidateArea(rect);
}

Element& elementOf(backend::ControlPeer& peer)
{
    return dynamic_cast<Element&>(peer);
}

Canvas::~Canvas()
{
    for (Element* element : elements)
        element->container = nullptr;
}

void Canvas::adopt(Element& element)
{
    if (element.container)
        element.container->remove(element);
    elements.push_back(&element);
    element.container = this;
    if (HWND host = hostWindow())
        element.realize(host);
    element.invalidate();
}

void Canvas::remove(Element& element)
{
    element.invalidate();
    PointerInput::forget(element);
    elements.erase(std::remove(elements.begin(), elements.end(), &element), elements.end());
    element.container = nullptr;
}

void Canvas::paintElements(HDC dc) const
{
    for (Element* element : elements)
        if (element->shown() && !element->window())
            element->paint(dc);
}

Element* Canvas::elementAt(POINT point) const
{
    if (!showsControls() || !enablesControls())
        return nullptr;
    // The last adopted is on top.
    for (auto element = elements.rbegin(); element != elements.rend(); ++element)
        if (!(*element)->window())
            if (Element* found = (*element)->elementAt(point))
                return found;
    return nullptr;
}

void Canvas::realizeElements(HWND host) const
{
    for (Element* element : elements)
        element->realize(host);
}

void Canvas::unrealizeElements() const
{
    for (Element* element : elements)
        element->unrealize();
}

void Canvas::shiftElements(int dx, int dy) const
{
    const std::vector<Element*> moving = elements;
    for (Element* element : moving)
        element->shift(dx, dy);
}

void Canvas::stateChangedAround() const
{
    for (Element* element : elements)
        element->stateChanged();
}

HBRUSH Canvas::controlColour(HWND child, HDC dc) const
{
    for (Element* element : elements)
        if (HBRUSH brush = element->controlColour(child, dc))
            return brush;
    return nullptr;
}

bool Canvas::focusEntered(HWND child) const
{
    return std::any_of(elements.begin(), elements.end(),
                       [child](Element* element) { return element->focusEntered(child); });
}

void Canvas::invalidateArea(const PixelRect& area) const
{
    HWND host = hostWindow();
    if (!host || area.width <= 0 || area.height <= 0)
        return;
    const RECT dirty{area.x, area.y, area.x + area.width, area.y + area.height};
    InvalidateRect(host, &dirty, FALSE);
}

}  // namespace forms::win32

#include "saver/forms/win32/pointer_input.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "saver/forms/win32/cursors.h"

namespace forms::win32 {
namespace {

std::vector<PointerInput*>& liveInputs()
{
    static std::vector<PointerInput*> inputs;
    return inputs;
}

int formsShift(WPARAM keys)
{
    return (keys & MK_SHIFT ? vbShiftMask : 0) | (keys & MK_CONTROL ? vbCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? vbAltMask : 0);
}

// The buttons held during a move.
int heldButtons(WPARAM keys)
{
    return (keys & MK_LBUTTON ? vbLeftButton : 0) | (keys & MK_RBUTTON ? vbRightButton : 0) |
           (keys & MK_MBUTTON ? vbMiddleButton : 0);
}

bool anyButtonHeld(WPARAM keys)
{
    return (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
}

POINT pointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The point from the control's top-left corner; a control with a window is at its origin.
POINT relativeTo(const Element& element, POINT point)
{
    if (element.window())
        return point;
    return {point.x - element.area().x, point.y - element.area().y};
}

bool inside(const Element& element, POINT point)
{
    const PixelRect area = element.window() ? PixelRect{0, 0, element.area().width, element.area().height}
                                            : element.area();
    return point.x >= area.x && point.y >= area.y && point.x < area.x + area.width && point.y < area.y + area.height;
}

}  // namespace

PointerInput::PointerInput(Canvas& canvas, Element* own) : canvas(canvas), own(own)
{
    liveInputs().push_back(this);
}

PointerInput::~PointerInput()
{
    auto& inputs = liveInputs();
    inputs.erase(std::remove(inputs.begin(), inputs.end(), this), inputs.end());
}

void PointerInput::forget(Element& element)
{
    for (PointerInput* input : liveInputs()) {
        if (input->pressedOn == &element)
            input->pressedOn = nullptr;
    }
}

Element* PointerInput::elementAt(POINT point) const
{
    if (Element* inner = canvas.elementAt(point))
        return inner;
    return own && own->shown() && own->active() ? own : nullptr;
}

bool PointerInput::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
        moved(wParam, pointOf(lParam));
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed(window, vbLeftButton, wParam, pointOf(lParam));
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        pressed(window, vbRightButton, wParam, pointOf(lParam));
        return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        pressed(window, vbMiddleButton, wParam, pointOf(lParam));
        return true;
    case WM_LBUTTONUP:
        released(vbLeftButton, wParam, pointOf(lParam));
        return true;
    case WM_RBUTTONUP:
        released(vbRightButton, wParam, pointOf(lParam));
        return true;
    case WM_MBUTTONUP:
        released(vbMiddleButton, wParam, pointOf(lParam));
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the pointer: the press ends without a release.
        if (reinterpret_cast<HWND>(lParam) != window)
            pressedOn = nullptr;
        return true;
    case WM_SETCURSOR:
        // Over the borders and over child windows, the system's and the children's own.
        if (LOWORD(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != window)
            return false;
        showCursor(window);
        return true;
    default:
        return false;
    }
}

void PointerInput::moved(WPARAM keys, POINT point)
{
    if (pressedOn) {
        const POINT at = relativeTo(*pressedOn, point);
        pressedOn->owner().pointerMoved(heldButtons(keys), formsShift(keys), at.x, at.y);
        return;
    }
    // The move that enters a control is a move over it like any other.
    if (Element* under = elementAt(point)) {
        const POINT at = relativeTo(*under, point);
        under->owner().pointerMoved(heldButtons(keys), formsShift(keys), at.x, at.y);
    }
}

void PointerInput::pressed(HWND window, int button, WPARAM keys, POINT point)
{
    Element* target = pressedOn ? pressedOn : elementAt(point);
    if (!target)
        return;
    // The control gets the moves and the release until every button is up.
    pressedOn = target;
    SetCapture(window);
    const POINT at = relativeTo(*target, point);
    target->owner().pointerPressed(button, formsShift(keys), at.x, at.y);
}

void PointerInput::released(int button, WPARAM keys, POINT point)
{
    Element* target = pressedOn;
    if (!anyButtonHeld(keys)) {
        pressedOn = nullptr;
        if (GetCapture())
            ReleaseCapture();
    }
    if (!target)
        return;
    const POINT at = relativeTo(*target, point);
    target->owner().pointerReleased(button, formsShift(keys), at.x, at.y, inside(*target, point));
}

void PointerInput::showCursor(HWND window) const
{
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    const Element* under = pressedOn ? pressedOn : elementAt(point);
    SetCursor(cursorFor(under ? under->pointer() : ControlPointer::Default, under ? under->pointerPicture() : nullptr));
}

}  // namespace forms::win32

#pragma once
// The pointer in one native window: the control under it gets its moves and presses, the one
// pressed gets the moves and the release until the buttons are up, and the cursor shown there
// is the pointer of the control under it.
#include "saver/forms/win32/element.h"

#include <windows.h>

namespace forms::win32 {

class PointerInput {
public:
    // own: the control the window itself is (a user control), null for a form's window.
    PointerInput(Canvas& canvas, Element* own);
    ~PointerInput();
    PointerInput(const PointerInput&) = delete;
    PointerInput& operator=(const PointerInput&) = delete;

    // Mouse messages and WM_SETCURSOR; true when the message was one of them and is answered.
    bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The control is going: no window's pointer state refers to it any more.
    static void forget(Element& element);

private:
    Element* elementAt(POINT point) const;
    void moved(WPARAM keys, POINT point);
    void pressed(HWND window, int button, WPARAM keys, POINT point);
    void released(int button, WPARAM keys, POINT point);
    void showCursor(HWND window) const;

    Canvas& canvas;
    Element* own;
    Element* pressedOn = nullptr;
};

}  // namespace forms::win32

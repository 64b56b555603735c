// Other programs' windows by HWND.
#include "platform/native_window.h"

#include <windows.h>

#include "platform/win32/dpi.h"

namespace platform {
namespace {

HWND asWindow(NativeWindow window) { return reinterpret_cast<HWND>(window); }

}  // namespace

NativeWindow findWindow(const std::string& title)
{
    return reinterpret_cast<NativeWindow>(FindWindowA(nullptr, title.c_str()));
}

bool getWindowRect(NativeWindow window, Rect& rect)
{
    RECT area{};
    if (!window || !GetWindowRect(asWindow(window), &area)) {
        rect = {};
        return false;
    }
    rect = {area.left, area.top, area.right, area.bottom};
    return true;
}

bool setParent(NativeWindow child, NativeWindow parent)
{
    if (!IsWindow(asWindow(child)) || !IsWindow(asWindow(parent)))
        return false;
    // A child window is clipped to its parent and moves with it; a pop-up would float free.
    const LONG style = GetWindowLongA(asWindow(child), GWL_STYLE);
    SetWindowLongA(asWindow(child), GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    return SetParent(asWindow(child), asWindow(parent)) != nullptr;
}

void prepareChildOf(NativeWindow parent)
{
    win32::adoptDpiAwarenessOf(asWindow(parent));
}

bool postCloseRequest(NativeWindow window)
{
    return window && PostMessageA(asWindow(window), WM_CLOSE, 0, 0);
}

}  // namespace platform

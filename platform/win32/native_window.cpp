// Other programs' windows by HWND.
#include "platform/native_window.h"

#include <windows.h>

namespace platform {

NativeWindow findWindow(const std::string& title)
{
    return reinterpret_cast<NativeWindow>(FindWindowA(nullptr, title.c_str()));
}

}  // namespace platform

namespace platform {

bool getWindowRect(NativeWindow window, Rect& rect)
{
    RECT area{};
    const bool read = GetWindowRect(reinterpret_cast<HWND>(window), &area) != FALSE;
    rect = read ? Rect{area.left, area.top, area.right, area.bottom} : Rect{};
    return read;
}

bool setParent(NativeWindow child, NativeWindow parent)
{
    HWND window = reinterpret_cast<HWND>(child), host = reinterpret_cast<HWND>(parent);
    if (!IsWindow(window) || !IsWindow(host))
        return false;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    return SetParent(window, host) != nullptr;
}

bool postCloseRequest(NativeWindow window)
{
    return PostMessageA(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0) != FALSE;
}

}  // namespace platform

// Other programs' windows by HWND.
#include "platform/native_window.h"

#include <windows.h>

namespace platform {

NativeWindow findWindow(const std::string& title)
{
    return reinterpret_cast<NativeWindow>(FindWindowA(nullptr, title.c_str()));
}

}  // namespace platform

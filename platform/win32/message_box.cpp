#include "platform/message_box.h"

#include "platform/system_message_box.h"

#include <windows.h>

namespace platform {

NativeWindow nativeWindow(WindowHandle window) { return reinterpret_cast<NativeWindow>(window); }

void showSystemMessageBox(NativeWindow owner, const std::string& text, const std::string& caption)
{
    MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace platform

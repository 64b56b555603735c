#include "platform/message_box.h"
#include "platform/internal/system_message_box.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"

namespace platform {

NativeWindow nativeWindow(WindowHandle window) { return reinterpret_cast<NativeWindow>(window); }

// MessageBoxW: the box is drawn, and its Japanese must read correctly under any code page.
void showSystemMessageBox(NativeWindow owner, const std::string& text, const std::string& caption)
{
    MessageBoxW(reinterpret_cast<HWND>(owner), win32::wideFromUtf8(text).c_str(), win32::wideFromUtf8(caption).c_str(),
                MB_OK);
}

}  // namespace platform

#pragma once
// Each system's own message box, behind messageBox once the tests' capture and log have had
// their look: an FLTK box on X11, MessageBoxA on Windows.
#include <string>

#include "platform/native_window.h"

namespace platform {

void showSystemMessageBox(NativeWindow owner, const std::string& text, const std::string& caption);

}  // namespace platform

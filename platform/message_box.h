#pragma once
// MessageBoxA(owner, text, caption, MB_OK): a small modal box with the text and one OK button,
// kept above its owner until the user answers it with Enter, Space, Esc or a click on OK.
//
// On X11 the box stays on top of everything, full-screen override-redirect windows included,
// and takes the keyboard while it is up: a keyboard grab that the program's own window holds
// is given up for the box and taken back when it closes. Without a display the caption and
// text go to standard error instead.
//
// Seeing the messages in tests:
// - captureMessageBoxes(function): every box from then on goes to the function instead of the
//   screen (unit tests, no display needed); an empty function shows boxes again.
// - HOARVEIL_MESSAGE_LOG=<file>: each box, as it opens, also appends one line to that file:
//   caption, a tab, the text with "\n" written as the two characters \ and n, a newline
//   (end-to-end tests: they wait for the line, then answer the box as a user would).
#include <functional>
#include <string>

#include "platform/native_window.h"
#include "platform/window.h"

namespace platform {

// The native window behind a renderer window (0 for none).
NativeWindow nativeWindow(WindowHandle window);

void messageBox(NativeWindow owner, const std::string& text, const std::string& caption);

using MessageBoxCapture = std::function<void(NativeWindow owner, const std::string& text, const std::string& caption)>;
void captureMessageBoxes(MessageBoxCapture capture);

}  // namespace platform

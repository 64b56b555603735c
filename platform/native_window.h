#pragma once
// Windows of any program, by native handle (an X window id here, an HWND on Windows), with the
// meaning of the Win32 calls they stand for. The saver uses them to find other instances and
// the renderer by title and to embed its preview in a window of another program.
#include <cstdint>
#include <string>

#include "platform/window.h"

namespace platform {

using NativeWindow = std::uintptr_t;

// FindWindowA with no class: a top-level window, mapped or not, whose title is the text (also a
// client inside a window manager's frame); 0 when there is none.
NativeWindow findWindow(const std::string& title);

// GetWindowRect: the window's rectangle in screen pixels. False, with the rectangle all zero,
// when the handle is not a window.
bool getWindowRect(NativeWindow window, Rect& rect);

// SetParent: the window becomes a child of the parent (which makes it a WS_CHILD window), at
// its present position inside it. False when either handle is not a window.
bool setParent(NativeWindow child, NativeWindow parent);

// Before this thread makes a window that becomes the child of another program's window: on
// Windows its windows take the host window's DPI awareness, and may mix with other awareness
// where that can't be matched, so that the child can be parented and draws in the host's pixels.
// Nothing to do on X11.
void prepareChildOf(NativeWindow parent);

// PostMessageA(window, WM_CLOSE, 0, 0): a close request, as any program may send one.
bool postCloseRequest(NativeWindow window);

}  // namespace platform

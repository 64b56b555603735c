#pragma once
// The X11 side of the forms layer's FLTK backend (saver/forms/fltk). A form keeps one native
// top-level window for as long as it is loaded, shown or hidden, so that it can be found by its
// title and embedded in another program's window before it is ever shown.
#include "platform/native_window.h"

class Fl_Window;

namespace platform {

// Opens the toolkit's display on the process's one connection to the windowing system, so that
// forms, window look-ups and the cursor share it. False when there is no display.
bool openFormsDisplay();

// Creates the native window of a top-level toolkit window without showing it; its title is the
// window's label. Showing the toolkit window later maps this same window.
NativeWindow createFormWindow(Fl_Window& window);

// The native window of a toolkit window, 0 when it has none.
NativeWindow formWindowHandle(const Fl_Window& window);

// The handler is called for every native window that is destroyed, by this program or by
// another (a host destroying the window a preview lives in).
void onWindowDestroyed(void (*handler)(NativeWindow window));

// The border and title bar the window manager draws around a form window, in pixels; all 0
// without a window manager, or one that doesn't tell.
struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};
FrameExtents formFrameExtents(NativeWindow window);

// The keyboard focus to a top-level form window: at once when it is shown, else as soon as it
// is (a window manager maps a window in its own time).
void focusFormWindow(NativeWindow window);

// While it lives, a form window that has the keyboard focus lends it to the window under the
// pointer, as with no focus set: a chooser of another program's (GTK's, on a connection of its
// own) can't take it from the form by itself without a window manager. The form gets it back.
class FocusLentToPointer {
public:
    explicit FocusLentToPointer(NativeWindow form);
    ~FocusLentToPointer();
    FocusLentToPointer(const FocusLentToPointer&) = delete;
    FocusLentToPointer& operator=(const FocusLentToPointer&) = delete;

private:
    NativeWindow lender = 0;  // 0 when the form had no focus to lend
};

// Sends every request still waiting in the connection's buffer.
void flushDisplay();

}  // namespace platform

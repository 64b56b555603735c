// The forms runtime's windows on X11 with FLTK. FLTK creates and maps a window's X window in
// one go when it is first shown; a loaded form needs its X window earlier, unmapped, so that it
// can be found by title and reparented. Its X window is made here and handed to FLTK, which
// then maps that same window when the form is shown.
#define FL_INTERNALS  // Fl_X: the record binding an FLTK window to its X window
#include "platform/x11/fltk/form_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>

#include "platform/x11/connection.h"

namespace platform {
namespace {

// The events FLTK asks for on its own top-level windows.
constexpr long formEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                               KeymapStateMask | FocusChangeMask | ButtonPressMask | ButtonReleaseMask |
                               EnterWindowMask | LeaveWindowMask | PropertyChangeMask | PointerMotionMask;

int reportDestroyed(void* event, void* handler)
{
    const auto* x = static_cast<const XEvent*>(event);
    if (x->type == DestroyNotify)
        reinterpret_cast<void (*)(NativeWindow)>(handler)(x->xdestroywindow.window);
    return 0;  // FLTK handles the event as usual
}

// The form window that gets the keyboard focus once it is mapped.
struct FocusOnMap {
    ::Window window = 0;
};

FocusOnMap& focusOnMap()
{
    static FocusOnMap pending;
    return pending;
}

void setFocus(::Window window)
{
    auto* c = x11::connection();
    // Back to the window under the pointer when this one goes, as without any focus set.
    x11::withoutErrors(c->display, [&] { XSetInputFocus(c->display, window, RevertToPointerRoot, CurrentTime); });
    XFlush(c->display);
}

int focusWhenMapped(void* event, void*)
{
    const auto* x = static_cast<const XEvent*>(event);
    FocusOnMap& pending = focusOnMap();
    if (x->type == MapNotify && pending.window && x->xmap.window == pending.window) {
        pending.window = 0;
        setFocus(x->xmap.window);
    }
    return 0;  // FLTK handles the event as usual
}

}  // namespace

bool openFormsDisplay()
{
    if (fl_display)
        return true;
    auto* c = x11::connection();
    if (!c)
        return false;
    // Text input in the user's character set, as FLTK sets it up when it opens a display itself.
    std::setlocale(LC_CTYPE, "");
    XSetLocaleModifiers("");
    fl_open_display(c->display);
    return true;
}

NativeWindow createFormWindow(Fl_Window& window)
{
    if (window.shown())
        return fl_xid(&window);
    if (!openFormsDisplay())
        return 0;
    auto* c = x11::connection();
    XSetWindowAttributes attributes = {};
    attributes.event_mask = formEventMask;
    attributes.colormap = fl_colormap;
    attributes.border_pixel = 0;
    attributes.bit_gravity = ForgetGravity;
    const ::Window xid = XCreateWindow(
        fl_display, RootWindow(fl_display, fl_screen), window.x(), window.y(),
        static_cast<unsigned>(std::max(1, window.w())), static_cast<unsigned>(std::max(1, window.h())), 0,
        fl_visual->depth, InputOutput, fl_visual->visual, CWBorderPixel | CWColormap | CWEventMask | CWBitGravity,
        &attributes);
    Fl_X* record = Fl_X::set_xid(&window, xid);

    XSetWMProperties(fl_display, xid, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr);
    const long pid = getpid();
    XChangeProperty(fl_display, xid, XInternAtom(fl_display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    Atom protocols[] = {c->wmDeleteWindow};
    XSetWMProtocols(fl_display, xid, protocols, 1);
    // FLTK writes WM_NAME and _NET_WM_NAME when a shown window gets its label.
    window.label(window.label(), window.iconlabel());
    record->sendxjunk();  // size limits and border for the window manager
    XWMHints* hints = XAllocWMHints();
    hints->input = True;
    hints->flags = InputHint;
    XSetWMHints(fl_display, xid, hints);
    XFree(hints);
    XFlush(fl_display);
    return xid;
}

NativeWindow formWindowHandle(const Fl_Window& window)
{
    return fl_xid(&window);
}

void onWindowDestroyed(void (*handler)(NativeWindow window))
{
    Fl::add_system_handler(reportDestroyed, reinterpret_cast<void*>(handler));
}

void focusFormWindow(NativeWindow window)
{
    static const bool watching = [] {
        Fl::add_system_handler(focusWhenMapped, nullptr);
        return true;
    }();
    (void)watching;
    auto* c = x11::connection();
    if (!c || !window)
        return;
    XWindowAttributes attributes{};
    const bool shown = x11::withoutErrors(c->display, [&] { XGetWindowAttributes(c->display, window, &attributes); }) &&
                       attributes.map_state == IsViewable;
    if (shown)
        setFocus(window);
    else
        focusOnMap().window = window;
}

FocusLentToPointer::FocusLentToPointer(NativeWindow form)
{
    auto* c = x11::connection();
    if (!c || !form)
        return;
    ::Window focused = 0;
    int revert = 0;
    XGetInputFocus(c->display, &focused, &revert);
    if (focused != form)
        return;
    lender = form;
    setFocus(PointerRoot);
}

FocusLentToPointer::~FocusLentToPointer()
{
    if (lender)
        focusFormWindow(lender);  // a form gone meanwhile is no error
}

void flushDisplay()
{
    if (auto* c = x11::connection())
        XFlush(c->display);
}

}  // namespace platform

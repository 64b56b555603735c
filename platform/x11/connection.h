#pragma once
// The process's one connection to the X server, opened on first use. Errors never end the
// program from inside Xlib: protocol errors are counted and a lost connection ends the
// process with a short message instead of Xlib's own exit.
#include <X11/Xlib.h>

namespace platform::x11 {

struct Connection {
    Display* display = nullptr;
    int screen = 0;
    ::Window root = 0;
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    Atom netWmName = 0;
    Atom utf8String = 0;
};

// Null when there is no X display to talk to.
Connection* connection();

// The error-catching machinery behind withoutErrors.
void beginCatchingErrors(Display* display);
bool endCatchingErrors(Display* display);

// Runs a request with protocol errors caught; true when the server reported none.
template <typename Request>
bool withoutErrors(Display* display, Request&& request)
{
    beginCatchingErrors(display);
    request();
    return endCatchingErrors(display);
}

}  // namespace platform::x11

#include "platform/x11/connection.h"

#include <X11/Xlib-xcb.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>

namespace platform::x11 {
namespace {

int caughtErrors = 0;

int onProtocolError(Display*, XErrorEvent*)
{
    // Requests on a window that another client destroyed fail as they reach the server;
    // they are expected then, and never fatal.
    ++caughtErrors;
    return 0;
}

constexpr char connectionLost[] = "Hoarveil: the connection to the X server was lost\n";

int onConnectionLost(Display*)
{
    std::fputs(connectionLost, stderr);
    _exit(1);
}

// Mesa's GLX code talks to the server through XCB, which doesn't tell Xlib's handler that the
// connection is gone; it can then fault on the reply it never got. A fault on a dead connection
// ends the program the same way a lost connection does; any other fault stays a crash.
xcb_connection_t* watchedConnection = nullptr;

void onFault(int signal)
{
    if (watchedConnection && xcb_connection_has_error(watchedConnection)) {
        [[maybe_unused]] const auto written = write(STDERR_FILENO, connectionLost, sizeof connectionLost - 1);
        _exit(1);
    }
    std::signal(signal, SIG_DFL);  // the faulting instruction runs again and crashes as usual
}

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

struct OpenConnection {
    std::unique_ptr<Display, DisplayCloser> display;
    Connection details;
};

}  // namespace

Connection* connection()
{
    static OpenConnection open = [] {
        OpenConnection result;
        result.display.reset(XOpenDisplay(nullptr));
        if (Display* display = result.display.get()) {
            XSetErrorHandler(onProtocolError);
            XSetIOErrorHandler(onConnectionLost);
            watchedConnection = XGetXCBConnection(display);
            std::signal(SIGSEGV, onFault);
            auto& c = result.details;
            c.display = display;
            c.screen = DefaultScreen(display);
            c.root = RootWindow(display, c.screen);
            c.wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
            c.wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
            c.netWmName = XInternAtom(display, "_NET_WM_NAME", False);
            c.utf8String = XInternAtom(display, "UTF8_STRING", False);
        }
        return result;
    }();
    return open.display ? &open.details : nullptr;
}

void beginCatchingErrors(Display* display)
{
    XSync(display, False);  // errors of earlier requests are not this request's
    caughtErrors = 0;
}

bool endCatchingErrors(Display* display)
{
    XSync(display, False);
    return caughtErrors == 0;
}

}  // namespace platform::x11

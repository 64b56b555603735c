// Renderer windows on X11: a full-screen override-redirect window stands for a Win32 pop-up
// window on a display switched to the program's mode. X events are turned into the window
// messages the program's window procedure expects.
#include "platform/x11/window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/end_request.h"
#include "platform/monitor.h"
#include "platform/trace.h"
#include "platform/x11/connection.h"

namespace platform {
namespace {

using x11::connection;

struct WindowingState {
    std::map<std::string, WindowProc> classes;
    std::deque<Message> posted;
    std::optional<int> quitCode;
    int cursorCount = 0;
    bool cursorHidden = false;
    std::unique_ptr<Window> window;  // the program's one window
    bool endRequestDelivered = false;
};

WindowingState& state()
{
    static WindowingState s;
    return s;
}

void sleepMilliseconds(long ms)
{
    timespec pause{0, ms * 1'000'000};
    nanosleep(&pause, nullptr);
}

void setNames(Display* display, const x11::Connection& c, ::Window window, const char* name)
{
    XStoreName(display, window, name);
    XChangeProperty(display, window, c.netWmName, c.utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(name), static_cast<int>(std::char_traits<char>::length(name)));
    XClassHint hint;
    hint.res_name = const_cast<char*>(name);
    hint.res_class = const_cast<char*>(name);
    XSetClassHint(display, window, &hint);
    Atom protocols[] = {c.wmDeleteWindow};
    XSetWMProtocols(display, window, protocols, 1);
}

// Windows' virtual-key codes for the keys that have one here.
WPARAM virtualKey(KeySym key)
{
    if (key >= XK_a && key <= XK_z)
        return 'A' + (key - XK_a);
    if ((key >= XK_A && key <= XK_Z) || (key >= XK_0 && key <= XK_9))
        return key;
    if (key >= XK_F1 && key <= XK_F12)
        return 0x70 + (key - XK_F1);
    switch (key) {
    case XK_Escape: return VK_ESCAPE;
    case XK_Return: return 0x0D;
    case XK_space: return 0x20;
    case XK_Tab: return 0x09;
    case XK_BackSpace: return 0x08;
    case XK_Left: return 0x25;
    case XK_Up: return 0x26;
    case XK_Right: return 0x27;
    case XK_Down: return 0x28;
    default: return 0;
    }
}

LPARAM pointAsLParam(int x, int y) { return static_cast<LPARAM>((y & 0xFFFF) << 16 | (x & 0xFFFF)); }

// One X event as a window message; false for events the program has no message for.
bool translate(const XEvent& event, Window& window, Message& message)
{
    message = Message{&window, 0, 0, 0};
    switch (event.type) {
    case KeyPress: {
        const KeySym key = XLookupKeysym(const_cast<XKeyEvent*>(&event.xkey), 0);
        message.message = (event.xkey.state & Mod1Mask) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        message.wParam = virtualKey(key);
        return true;
    }
    case ButtonPress:
    case ButtonRelease: {
        const bool down = event.type == ButtonPress;
        switch (event.xbutton.button) {
        case Button1: message.message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
        case Button2: message.message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
        case Button3: message.message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
        default: return false;  // wheel
        }
        message.lParam = pointAsLParam(event.xbutton.x, event.xbutton.y);
        return true;
    }
    case MotionNotify:
        message.message = WM_MOUSEMOVE;
        message.lParam = pointAsLParam(event.xmotion.x, event.xmotion.y);
        return true;
    case Expose:
        if (event.xexpose.count != 0)
            return false;
        message.message = WM_PAINT;
        return true;
    case ConfigureNotify:
        if (event.xconfigure.window != window.frame)
            return false;
        message.message = WM_SIZE;
        message.lParam = pointAsLParam(window.width, window.height);
        return true;
    case ClientMessage: {
        const auto* c = connection();
        if (event.xclient.message_type != c->wmProtocols ||
            static_cast<Atom>(event.xclient.data.l[0]) != c->wmDeleteWindow)
            return false;
        message.message = WM_CLOSE;
        return true;
    }
    default:
        return false;
    }
}

void windowGoneUnderUs(Window& window)
{
    if (window.destroyedByOthers)
        return;
    window.destroyedByOthers = true;
    window.frame = window.view = 0;
    std::fprintf(stderr, "%s: the window was destroyed by another program\n", window.className.c_str());
    // Not the user's request: the program ends in order, with a code that says so.
    state().quitCode = 1;
}

}  // namespace

bool registerWindowClass(const char* className, WindowProc procedure)
{
    return state().classes.emplace(className, procedure).second;
}

void unregisterWindowClass(const char* className) { state().classes.erase(className); }

WindowHandle createPopupWindow(const char* className, const char* windowName, int, int, int width, int height)
{
    auto* c = connection();
    auto found = state().classes.find(className);
    if (!c || found == state().classes.end() || state().window || width <= 0 || height <= 0)
        return nullptr;
    Display* display = c->display;

    auto window = std::make_unique<Window>();
    window->className = className;
    window->procedure = found->second;
    window->width = width;
    window->height = height;

    // The virtual display fills the primary monitor with its aspect kept; the rest stays black.
    // Other monitors go on showing the desktop, as a mode switch of the primary one leaves them.
    const Rect monitor = primaryMonitor();
    const int screenWidth = monitor.right - monitor.left;
    const int screenHeight = monitor.bottom - monitor.top;
    const double scale = std::min(double(screenWidth) / width, double(screenHeight) / height);
    window->viewWidth = std::max(1, int(width * scale + 0.5));
    window->viewHeight = std::max(1, int(height * scale + 0.5));
    window->viewX = (screenWidth - window->viewWidth) / 2;
    window->viewY = (screenHeight - window->viewHeight) / 2;

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display, c->screen);
    attributes.event_mask = KeyPressMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | ExposureMask |
                            StructureNotifyMask;
    window->frame = XCreateWindow(display, c->root, monitor.left, monitor.top, screenWidth, screenHeight, 0,
                                  CopyFromParent, InputOutput, CopyFromParent,
                                  CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    if (!window->frame)
        return nullptr;
    setNames(display, *c, window->frame, windowName);
    state().window = std::move(window);
    return state().window.get();
}

void showWindow(WindowHandle window)
{
    auto* c = connection();
    if (!c || !window || !window->frame)
        return;
    XMapRaised(c->display, window->frame);
    // Keyboard grabs need a viewable window: wait briefly for the map to go through.
    XEvent event;
    for (int tries = 0; tries < 200; ++tries) {
        if (XCheckTypedWindowEvent(c->display, window->frame, MapNotify, &event))
            break;
        sleepMilliseconds(5);
    }
}

void updateWindow(WindowHandle window)
{
    if (auto* c = connection(); c && window)
        XFlush(c->display);
}

void setFocus(WindowHandle window)
{
    auto* c = connection();
    if (!c || !window || !window->frame)
        return;
    XSetInputFocus(c->display, window->frame, RevertToParent, CurrentTime);
    // Another client may hold the keyboard for a moment (a menu, a key still down): retry briefly.
    for (int tries = 0; tries < 100; ++tries) {
        if (XGrabKeyboard(c->display, window->frame, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
            GrabSuccess)
            return;
        sleepMilliseconds(10);
    }
}

WindowHandle focusWindow() { return state().window.get(); }

void destroyWindow(WindowHandle window)
{
    auto* c = connection();
    if (!window || window != state().window.get())
        return;
    if (c && window->frame) {
        XUngrabKeyboard(c->display, CurrentTime);
        XDestroyWindow(c->display, window->frame);
        XSync(c->display, False);
    }
    state().window.reset();
}

Rect clientRect(WindowHandle window)
{
    if (!window)
        return {};
    return Rect{0, 0, window->width, window->height};
}

// X asks again for a region only when it has been exposed again: nothing to mark.
void beginEndPaint(WindowHandle) {}

DisplayChange changeDisplaySettings(int width, int height)
{
    auto* c = connection();
    if (!c)
        return DisplayChange::CurrentUnreadable;
    // The monitor's mode is never changed: a screen that can hold the mode shows it scaled.
    const Rect monitor = primaryMonitor();
    const bool fits = monitor.right - monitor.left >= width && monitor.bottom - monitor.top >= height;
    return fits ? DisplayChange::Successful : DisplayChange::Failed;
}

void restoreDisplaySettings()
{
    // Nothing was changed on the monitor, so there is nothing to restore.
}

int showCursor(bool show)
{
    auto& s = state();
    s.cursorCount += show ? 1 : -1;
    auto* c = connection();
    if (!c)
        return s.cursorCount;
    const bool hide = s.cursorCount < 0;
    if (hide != s.cursorHidden) {
        if (hide)
            XFixesHideCursor(c->display, c->root);
        else
            XFixesShowCursor(c->display, c->root);
        XFlush(c->display);
        s.cursorHidden = hide;
        trace(hide ? "cursor hidden" : "cursor shown");
    }
    return s.cursorCount;
}

bool peekMessage(Message& message)
{
    auto& s = state();
    if (!s.posted.empty()) {
        message = s.posted.front();
        s.posted.pop_front();
        return true;
    }
    auto* c = connection();
    while (c && s.window && XPending(c->display)) {
        XEvent event;
        XNextEvent(c->display, &event);
        Window& window = *s.window;
        if (event.type == DestroyNotify && event.xdestroywindow.window == window.frame) {
            windowGoneUnderUs(window);
            continue;
        }
        if (event.xany.window != window.frame && event.xany.window != window.view)
            continue;
        if (translate(event, window, message))
            return true;
    }
    // A request from outside to end reaches the window as its close message, as on Windows.
    if (s.window && !s.endRequestDelivered && endRequested()) {
        s.endRequestDelivered = true;
        message = Message{s.window.get(), WM_CLOSE, 0, 0};
        return true;
    }
    if (s.quitCode) {
        message = Message{nullptr, WM_QUIT, static_cast<WPARAM>(*s.quitCode), 0};
        s.quitCode.reset();
        return true;
    }
    return false;
}

void translateMessage(const Message&) {}

LRESULT dispatchMessage(const Message& message)
{
    if (!message.window || !message.window->procedure)
        return 0;
    return message.window->procedure(message.window, message.message, message.wParam, message.lParam);
}

void postQuitMessage(int exitCode)
{
    if (!state().quitCode)
        state().quitCode = exitCode;
}

LRESULT defWindowProc(WindowHandle window, unsigned message, WPARAM wParam, LPARAM)
{
    // Alt+F4 becomes the close command of the window menu, as it does on Windows.
    if (message == WM_SYSKEYDOWN && wParam == VK_F4 && window && window->procedure)
        return window->procedure(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

}  // namespace platform

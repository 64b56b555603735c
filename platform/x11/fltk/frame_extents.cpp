// The border and title bar a window manager puts around a form window, asked for before the
// window is mapped (_NET_REQUEST_FRAME_EXTENTS), so that a form can place itself by its whole
// size, as it would on Windows.
#include <X11/Xatom.h>

#include <chrono>
#include <optional>
#include <thread>

#include "platform/x11/connection.h"
#include "platform/x11/fltk/form_window.h"

namespace platform {
namespace {

std::optional<FrameExtents> announcedExtents(Display* display, ::Window window, Atom property)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::optional<FrameExtents> extents;
    const bool read = x11::withoutErrors(display, [&] {
        XGetWindowProperty(display, window, property, 0, 4, False, XA_CARDINAL, &type, &format, &count, &remaining,
                           &data);
    });
    if (read && data && type == XA_CARDINAL && format == 32 && count == 4) {
        const auto* value = reinterpret_cast<const long*>(data);  // format 32 comes as longs
        extents = FrameExtents{static_cast<int>(value[0]), static_cast<int>(value[1]), static_cast<int>(value[2]),
                               static_cast<int>(value[3])};
    }
    if (data)
        XFree(data);
    return extents;
}

bool windowManagerOffers(Display* display, ::Window root, Atom feature)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), 0, 4096, False, XA_ATOM, &type,
                       &format, &count, &remaining, &data);
    bool offered = false;
    if (data && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !offered; ++i)
            offered = atoms[i] == feature;
    }
    if (data)
        XFree(data);
    return offered;
}

}  // namespace

FrameExtents formFrameExtents(NativeWindow window)
{
    auto* c = x11::connection();
    if (!c || !window)
        return {};
    Display* display = c->display;
    const Atom property = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    if (auto known = announcedExtents(display, window, property))
        return *known;
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    if (!windowManagerOffers(display, c->root, request))
        return {};  // no window manager, or one that draws no frames it would tell of
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = request;
    message.xclient.format = 32;
    XSendEvent(display, c->root, False, SubstructureRedirectMask | SubstructureNotifyMask, &message);
    XFlush(display);
    // The manager answers by setting the property; a busy one may take a moment, a broken one
    // never does, and then the form goes by its inner size.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < giveUp) {
        if (auto answered = announcedExtents(display, window, property))
            return *answered;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

}  // namespace platform

// The border and title bar a window manager puts around a form window, asked for before the
// window is mapped (_NET_REQUEST_FRAME_EXTENTS), so that a form can place itself by its whole
// size, as it would on Windows.
#include <X11/Xatom.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include "platform/x11/connection.h"
#include "platform/x11/fltk/form_window.h"

namespace platform {
namespace {

// A property of 32-bit items of the type (format 32 comes as longs); empty when the window
// has no such property, or is gone.
std::vector<unsigned long> longsProperty(Display* display, ::Window window, Atom property, Atom type, long most)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    x11::withoutErrors(display, [&] {
        XGetWindowProperty(display, window, property, 0, most, False, type, &actualType, &format, &count, &remaining,
                           &data);
    });
    std::vector<unsigned long> items;
    if (data && actualType == type && format == 32) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

std::optional<FrameExtents> announcedExtents(Display* display, ::Window window, Atom property)
{
    const auto value = longsProperty(display, window, property, XA_CARDINAL, 4);
    if (value.size() != 4)
        return std::nullopt;
    return FrameExtents{int(value[0]), int(value[1]), int(value[2]), int(value[3])};
}

bool windowManagerOffers(Display* display, ::Window root, Atom feature)
{
    const auto supported = longsProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 4096);
    return std::find(supported.begin(), supported.end(), feature) != supported.end();
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

#include "tests/support/x_user.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <memory>
#include <thread>
#include <tuple>

namespace testing_support {
namespace {

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// Windows can vanish between listing and asking for their names; that is not an error here.
class QuietErrors {
public:
    explicit QuietErrors(Display* display) : display(display), previous(XSetErrorHandler(ignoreErrors)) {}
    ~QuietErrors()
    {
        XSync(display, False);
        XSetErrorHandler(previous);
    }

private:
    Display* display;
    XErrorHandler previous;
};

std::string textProperty(Display* display, ::Window window, Atom property)
{
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &remaining, &data) != Success ||
        !data)
        return {};
    std::string text(reinterpret_cast<char*>(data), count);
    XFree(data);
    return text;
}

void collect(Display* display, ::Window window, const std::string& title, Atom netWmName,
             std::vector<::Window>& found)
{
    if (textProperty(display, window, XA_WM_NAME) == title || textProperty(display, window, netWmName) == title)
        found.push_back(window);
    ::Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return;
    for (unsigned i = 0; i < count; ++i)
        collect(display, children[i], title, netWmName, found);
    if (children)
        XFree(children);
}

void sendKeysym(Display* display, const std::string& name, bool press)
{
    const KeySym keysym = XStringToKeysym(name.c_str());
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, press, CurrentTime);
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
}

std::vector<::Window> findWindowsByTitle(Display* display, const std::string& title)
{
    QuietErrors quiet(display);
    std::vector<::Window> found;
    collect(display, DefaultRootWindow(display), title, XInternAtom(display, "_NET_WM_NAME", False), found);
    return found;
}

::Window findWindowByTitle(Display* display, const std::string& title)
{
    auto found = findWindowsByTitle(display, title);
    return found.empty() ? 0 : found.front();
}

void pressKey(Display* display, const std::string& key, const std::vector<std::string>& modifiers)
{
    for (const auto& m : modifiers)
        sendKeysym(display, m, true);
    sendKeysym(display, key, true);
    sendKeysym(display, key, false);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
        sendKeysym(display, *m, false);
    XSync(display, False);
}

void movePointer(Display* display, int x, int y)
{
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
}

void click(Display* display, int x, int y, unsigned button)
{
    movePointer(display, x, y);
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
}

void sendDeleteWindow(Display* display, ::Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}

Screenshot::Screenshot(int width, int height, std::vector<Rgb> pixels)
    : w(width), h(height), pixels(std::move(pixels))
{
}

bool Screenshot::save(const std::string& path) const
{
    const std::string command = "convert -size " + std::to_string(w) + "x" + std::to_string(h) +
                                " -depth 8 rgb:- '" + path + "'";
    FILE* pipe = popen(command.c_str(), "w");
    if (!pipe)
        return false;
    fwrite(pixels.data(), sizeof(Rgb), pixels.size(), pipe);
    return pclose(pipe) == 0;
}

bool cursorShown(Display* display)
{
    XFixesCursorImage* cursor = XFixesGetCursorImage(display);
    if (!cursor)
        return false;
    bool shown = false;
    for (unsigned long i = 0; i < static_cast<unsigned long>(cursor->width) * cursor->height && !shown; ++i)
        shown = (cursor->pixels[i] >> 24) != 0;
    XFree(cursor);
    return shown;
}

Screenshot takeScreenshot(Display* display)
{
    const ::Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    auto destroy = [](XImage* image) { XDestroyImage(image); };
    std::unique_ptr<XImage, decltype(destroy)> image(
        XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap), destroy);
    std::vector<Rgb> pixels(std::size_t(attributes.width) * attributes.height);
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long p = XGetPixel(image.get(), x, y);
            pixels[std::size_t(y) * attributes.width + x] =
                Rgb{std::uint8_t((p >> 16) & 0xFF), std::uint8_t((p >> 8) & 0xFF), std::uint8_t(p & 0xFF)};
        }
    return Screenshot(attributes.width, attributes.height, std::move(pixels));
}

Screenshot screenshotWhen(Display* display, const std::function<bool(const Screenshot&)>& condition,
                          std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        Screenshot shot = takeScreenshot(display);
        if (condition(shot) || std::chrono::steady_clock::now() >= deadline)
            return shot;
        std::this_thread::sleep_for(50ms);
    }
}

void furnishDesktop(Display* d)
{
    XSetWindowBackground(d, DefaultRootWindow(d), 0x3050A0);
    XClearWindow(d, DefaultRootWindow(d));
    for (auto [x, y, colour] : {std::tuple{0, 0, 0xE02020UL}, std::tuple{600, 400, 0x20C040UL}}) {
        const ::Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, 300, 250, 0, 0, colour);
        XMapWindow(d, w);
    }
    XSync(d, False);
    waitUntil([&] { return takeScreenshot(d).at(10, 10).r > 200; });
}

}  // namespace testing_support

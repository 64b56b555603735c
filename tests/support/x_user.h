#pragma once
// What a user does and sees on a private X server: windows looked up by title, keys and
// clicks sent through XTest, screenshots read pixel by pixel.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

using namespace std::chrono_literals;

// Polls the condition until it holds or the limit has passed.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5s);

// Every window of the server, mapped or not, whose WM_NAME or _NET_WM_NAME is the title;
// 0 when there is none.
::Window findWindowByTitle(Display* display, const std::string& title);
std::vector<::Window> findWindowsByTitle(Display* display, const std::string& title);

// Keys by keysym name ("Escape", "a", "F4"); modifiers by keysym name too ("Alt_L").
void pressKey(Display* display, const std::string& key, const std::vector<std::string>& modifiers = {});
void movePointer(Display* display, int x, int y);
void click(Display* display, int x, int y, unsigned button = 1);

// A client message WM_DELETE_WINDOW, as a window manager sends it for a close request.
void sendDeleteWindow(Display* display, ::Window window);

// A desktop a user would recognise: a blue backdrop with a red and a green window on it, the
// windows going with the connection. Returns once the screen shows it.
void furnishDesktop(Display* display);

// Whether the pointer shows a visible cursor where it is (a hidden one is all transparent).
bool cursorShown(Display* display);

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

class Screenshot {
public:
    Screenshot(int width, int height, std::vector<Rgb> pixels);
    int width() const { return w; }
    int height() const { return h; }
    Rgb at(int x, int y) const { return pixels[std::size_t(y) * w + x]; }
    // Writes the picture as a PNG (through ImageMagick), for a person to look at.
    bool save(const std::string& path) const;

private:
    int w, h;
    std::vector<Rgb> pixels;
};

// The whole screen as the user sees it.
Screenshot takeScreenshot(Display* display);

// Takes screenshots until the condition holds on one or the limit has passed; returns the last.
// A program that is up is not yet drawing: this waits for what the user would wait to see.
Screenshot screenshotWhen(Display* display, const std::function<bool(const Screenshot&)>& condition,
                          std::chrono::milliseconds limit = 15s);

}  // namespace testing_support

// Message boxes on X11, drawn with FLTK: an override-redirect window with its own caption strip,
// the text and an OK button. Override-redirect, because the renderer's full-screen window is
// override-redirect as well and would stay above any window a window manager looks after.
#include "platform/message_box.h"
#include "platform/internal/system_message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/end_request.h"
#include "platform/x11/fltk/form_window.h"
#include "platform/x11/connection.h"
#include "platform/x11/window.h"

namespace platform {
namespace {

// FLTK's display. A program with forms shares it with them, on its one X connection. The
// renderer's box gets a connection of its own: the renderer reads its window's events from
// its connection, and FLTK's loop would take them while the box is up. Either way a missing
// display is a fallback here, never FLTK's fatal error.
bool toolkitDisplay()
{
    if (fl_display)
        return true;
    if (!focusWindow())
        return openFormsDisplay();
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    fl_open_display(display);  // FLTK keeps it for the rest of the process
    return true;
}

// Text drawn as it stands: FLTK's labels would read "@" as a symbol and "&" as a shortcut,
// and a path may hold either.
class PlainText : public Fl_Widget {
public:
    PlainText(int x, int y, int w, int h, std::string text, Fl_Color background, Fl_Color foreground, Fl_Font font)
        : Fl_Widget(x, y, w, h), text(std::move(text)), font(font)
    {
        color(background);
        labelcolor(foreground);
    }

    static void measure(const std::string& text, Fl_Font font, int& w, int& h)
    {
        fl_font(font, fontSize);
        w = 0;
        fl_measure(text.c_str(), w, h, 0);
    }

private:
    static constexpr int fontSize = 14;

    void draw() override
    {
        fl_rectf(x(), y(), w(), h(), color());
        fl_color(labelcolor());
        fl_font(font, fontSize);
        fl_draw(text.c_str(), x(), y(), w(), h(), FL_ALIGN_LEFT | FL_ALIGN_INSIDE, nullptr, 0);
    }

    std::string text;
    Fl_Font font;
};

// Where the box goes: the middle of its owner, or of the screen when it has none.
void ownerCentre(Display* display, NativeWindow owner, int& x, int& y)
{
    const int screen = DefaultScreen(display);
    x = DisplayWidth(display, screen) / 2;
    y = DisplayHeight(display, screen) / 2;
    if (!owner)
        return;
    ::Window root, child;
    int ownerX, ownerY, rootX, rootY;
    unsigned width, height, border, depth;
    x11::withoutErrors(display, [&] {
        if (XGetGeometry(display, owner, &root, &ownerX, &ownerY, &width, &height, &border, &depth) &&
            XTranslateCoordinates(display, owner, root, 0, 0, &rootX, &rootY, &child)) {
            x = rootX + int(width) / 2;
            y = rootY + int(height) / 2;
        }
    });
}

// While the box is up it has the keyboard: a grab held by the program's own window would
// swallow the box's keys, so it is released now and taken back, with the focus, afterwards.
class KeyboardHandover {
public:
    KeyboardHandover() : holder(focusWindow())
    {
        if (!holder || !holder->frame)
            return;
        if (auto* c = x11::connection()) {
            XUngrabKeyboard(c->display, CurrentTime);
            XSync(c->display, False);
        }
    }
    ~KeyboardHandover()
    {
        if (holder && holder == focusWindow() && holder->frame)
            setFocus(holder);
    }
    KeyboardHandover(const KeyboardHandover&) = delete;
    KeyboardHandover& operator=(const KeyboardHandover&) = delete;

private:
    WindowHandle holder;
};

void grabKeyboardFor(::Window box)
{
    // The map may still be on its way: a grab needs a viewable window.
    for (int tries = 0; tries < 100; ++tries) {
        XSetInputFocus(fl_display, box, RevertToParent, CurrentTime);
        if (XGrabKeyboard(fl_display, box, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess)
            return;
        Fl::wait(0.01);
    }
}

void setNames(::Window box, const std::string& caption, NativeWindow owner)
{
    XStoreName(fl_display, box, caption.c_str());
    XChangeProperty(fl_display, box, XInternAtom(fl_display, "_NET_WM_NAME", False),
                    XInternAtom(fl_display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(caption.data()), int(caption.size()));
    if (owner)
        XSetTransientForHint(fl_display, box, owner);
}

void showBox(NativeWindow owner, const std::string& text, const std::string& caption)
{
    // A trailing line break would only add an empty line at the bottom.
    std::string shown = text;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r'))
        shown.pop_back();

    constexpr int margin = 16, captionHeight = 26, buttonWidth = 88, buttonHeight = 28;
    int textWidth, textHeight, captionWidth, captionTextHeight;
    PlainText::measure(shown, FL_HELVETICA, textWidth, textHeight);
    PlainText::measure(caption, FL_HELVETICA_BOLD, captionWidth, captionTextHeight);
    const int screen = DefaultScreen(fl_display);
    const int width =
        std::clamp(std::max(textWidth, captionWidth) + 2 * margin, 260, DisplayWidth(fl_display, screen) - 20);
    const int height = captionHeight + margin + textHeight + margin + buttonHeight + margin;
    int centreX, centreY;
    ownerCentre(fl_display, owner, centreX, centreY);

    Fl_Window box(centreX - width / 2, centreY - height / 2, width, height);
    box.box(FL_BORDER_BOX);
    box.color(FL_BACKGROUND_COLOR);
    box.set_override();
    box.set_modal();
    new PlainText(1, 1, width - 2, captionHeight, " " + caption, fl_rgb_color(0, 84, 166), FL_WHITE,
                  FL_HELVETICA_BOLD);
    new PlainText(margin, captionHeight + margin, width - 2 * margin, textHeight, shown, FL_BACKGROUND_COLOR,
                  FL_BLACK, FL_HELVETICA);
    auto* ok = new Fl_Return_Button((width - buttonWidth) / 2, height - margin - buttonHeight, buttonWidth,
                                    buttonHeight, "OK");
    ok->callback([](Fl_Widget* button, void*) { button->window()->hide(); });
    box.end();
    // Esc closes the box as well, through the window's own callback: the OK answer.

    box.show();
    const ::Window id = fl_xid(&box);
    setNames(id, caption, owner);
    XRaiseWindow(fl_display, id);
    grabKeyboardFor(id);
    ok->take_focus();
    // A request to end the program closes the box too, as the OK answer: the program then ends
    // in order rather than waiting for a user who may be gone.
    while (box.shown() && !endRequested())
        Fl::wait(0.25);
    XUngrabKeyboard(fl_display, CurrentTime);
    XSync(fl_display, False);
}

}  // namespace

NativeWindow nativeWindow(WindowHandle window) { return window ? window->frame : 0; }

void showSystemMessageBox(NativeWindow owner, const std::string& text, const std::string& caption)
{
    if (!toolkitDisplay()) {
        std::fprintf(stderr, "%s: %s%s", caption.c_str(), text.c_str(),
                     !text.empty() && text.back() == '\n' ? "" : "\n");
        return;
    }
    const KeyboardHandover handover;
    showBox(owner, text, caption);
}

}  // namespace platform

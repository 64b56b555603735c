#include "saver/forms/screen.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "platform/form_window.h"
#include "platform/monitor.h"
#include "platform/screen_metrics.h"
#include "saver/forms/form.h"
#include "saver/forms/runtime.h"
#include "saver/forms/twips.h"

namespace forms {
namespace {

struct ScreenState {
    MousePointer pointer = MousePointer::Default;
};

ScreenState& screenState()
{
    static ScreenState state;
    return state;
}

struct ScreenPixels {
    int width = 0, height = 0;
};

ScreenPixels primaryScreen()
{
    if (!platform::openFormsDisplay())
        return {};
    const platform::Rect monitor = platform::primaryMonitor();
    return {monitor.right - monitor.left, monitor.bottom - monitor.top};
}

}  // namespace

int Screen::twipsPerPixelX()
{
    static const int value = twipsPerPixelAt(platform::screenDotsPerInch());
    return value;
}

int Screen::twipsPerPixelY()
{
    return twipsPerPixelX();  // X11 has one resolution for both directions
}

int Screen::widthInPixels()
{
    return primaryScreen().width;
}

int Screen::heightInPixels()
{
    return primaryScreen().height;
}

int Screen::width()
{
    return widthInPixels() * twipsPerPixelX();
}

int Screen::height()
{
    return heightInPixels() * twipsPerPixelY();
}

void Screen::setMousePointer(MousePointer pointer)
{
    screenState().pointer = pointer;
    const Fl_Cursor cursor = pointer == MousePointer::Hourglass ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT;
    for (Form* form : loadedForms())
        if (Fl_Window* window = form->group().as_window())
            window->cursor(cursor);
    Fl::flush();
}

MousePointer Screen::mousePointer()
{
    return screenState().pointer;
}

}  // namespace forms

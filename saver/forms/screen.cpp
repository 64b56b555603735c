#include "saver/forms/screen.h"

#include "platform/monitor.h"
#include "platform/screen_metrics.h"
#include "saver/forms/backend.h"
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
    for (Form* form : loadedForms())
        form->window->setPointer(pointer);
    backend::flush();
}

MousePointer Screen::mousePointer()
{
    return screenState().pointer;
}

}  // namespace forms

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
    double dotsPerInch = 0;  // 0 until first asked
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

double Screen::dotsPerInch()
{
    double& dpi = screenState().dotsPerInch;
    if (!(dpi > 0))
        dpi = platform::screenDotsPerInch();
    return dpi;
}

void Screen::setDotsPerInch(double dpi)
{
    if (dpi > 0)
        screenState().dotsPerInch = dpi;
}

double Screen::twipsPerPixelX()
{
    return twipsPerPixelAt(dotsPerInch());
}

double Screen::twipsPerPixelY()
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

double Screen::width()
{
    return widthInPixels() * twipsPerPixelX();
}

double Screen::height()
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

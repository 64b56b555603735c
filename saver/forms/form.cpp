#include "saver/forms/form.h"

#include <algorithm>
#include <stdexcept>

#include "saver/forms/control.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/runtime.h"
#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace forms {

Form::Form(std::string caption) : title(std::move(caption))
{
    window = backend::makeForm(*this);
    window->setTitle(title);
    // 4800 x 3600 twips, the forms runtime's size for a new form.
    move(0, 0, 4800, 3600);
}

Form::~Form()
{
    if (isLoaded)
        formUnloaded(*this);
    releaseControls();
}

void Form::load()
{
    if (isLoaded)
        return;
    if (!window->create())
        throw std::runtime_error("there is no display for the form " + title);
    if (icon)
        window->setIcon(*icon);
    isLoaded = true;
    resizedSinceShown = false;
    formLoaded(*this);
    if (Screen::mousePointer() == MousePointer::Hourglass)
        window->setPointer(MousePointer::Hourglass);
    Form_Load();
}

void Form::show()
{
    load();
    if (!isLoaded)
        return;  // Form_Load unloaded it again
    if (!resizedSinceShown) {
        resizedSinceShown = true;
        Form_Resize();
    }
    window->show();
}

void Form::showModal()
{
    show();
    if (isLoaded)
        window->takeFocus();
    while (isLoaded)
        backend::waitForEvents();
}

bool Form::unload(UnloadMode mode)
{
    if (!isLoaded || unloading)
        return true;
    unloading = true;
    struct EndOfUnload {
        bool& flag;
        ~EndOfUnload() { flag = false; }
    } endOfUnload{unloading};
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (!cancel)
        Form_Unload(cancel);
    if (cancel)
        return false;
    discardWindow();
    return true;
}

void Form::closeRequested()
{
    suppressErrors([this] { unload(UnloadMode::FormControlMenu); });
}

void Form::windowGone()
{
    if (!isLoaded)
        return;
    // Nothing can keep a window that no longer exists: the handlers run, a cancel is ignored.
    int cancel = 0;
    suppressErrors([&] { Form_QueryUnload(cancel, UnloadMode::AppWindows); });
    suppressErrors([&] { Form_Unload(cancel); });
    discardWindow();
}

void Form::discardWindow()
{
    isLoaded = false;
    formUnloaded(*this);
    window->destroy();
}

void Form::windowResized()
{
    if (isLoaded && resizedSinceShown)
        suppressErrors([this] { Form_Resize(); });
}

void Form::resolutionChanged(double dotsPerInch)
{
    if (dotsPerInch == Screen::dotsPerInch())
        return;
    Screen::setDotsPerInch(dotsPerInch);
    // Every control in its new place first (containers come before what is in them), then the
    // persistent images at their new sizes, then what the controls draw at the new size.
    const std::vector<Control*> controls = allControls();
    for (Control* control : controls)
        control->place();
    Container::resolutionChanged();
    for (Control* control : controls)
        if (auto* container = dynamic_cast<Container*>(control))
            container->resolutionChanged();
    for (Control* control : controls)
        suppressErrors([control] { control->rescaled(); });
    if (isLoaded)
        suppressErrors([this] { Form_DpiChanged(); });
}

std::vector<Control*> Form::tabStops() const
{
    std::vector<Control*> stops = allControls();
    std::erase_if(stops, [](const Control* control) { return !control->tabStopNow(); });
    return stops;
}

void Form::tabPressed(bool backwards)
{
    const std::vector<Control*> stops = tabStops();
    if (stops.empty())
        return;
    const auto focused = std::find_if(stops.begin(), stops.end(), [](const Control* c) { return c->hasFocus(); });
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t next = backwards ? count - 1 : 0;
    if (focused != stops.end())
        next = ((focused - stops.begin()) + (backwards ? count - 1 : 1)) % count;
    stops[static_cast<std::size_t>(next)]->setFocus();
}

void Form::windowFocused()
{
    // The control is looked for among the form's own: it may have gone since.
    const std::vector<Control*> all = allControls();
    if (std::find(all.begin(), all.end(), focusHolder) != all.end() && focusHolder->tabStopNow()) {
        focusHolder->setFocus();
        return;
    }
    if (const std::vector<Control*> stops = tabStops(); !stops.empty())
        stops.front()->setFocus();
}

bool Form::visible() const
{
    return isLoaded && window->visible();
}

platform::NativeWindow Form::hWnd() const
{
    return isLoaded ? window->nativeHandle() : 0;
}

void Form::setCaption(const std::string& caption)
{
    title = caption;
    window->setTitle(title);  // the title of the window, also while it is hidden
}

void Form::setBorderStyle(BorderStyle style)
{
    window->setBorderStyle(style);
}

void Form::setIcon(std::shared_ptr<const RgbSurface> picture)
{
    icon = std::move(picture);
}

double Form::left() const
{
    return pixelsToTwips(window->bounds().x, Screen::twipsPerPixelX());
}

double Form::top() const
{
    return pixelsToTwips(window->bounds().y, Screen::twipsPerPixelY());
}

double Form::width() const
{
    return pixelsToTwips(window->bounds().width, Screen::twipsPerPixelX());
}

double Form::height() const
{
    return pixelsToTwips(window->bounds().height, Screen::twipsPerPixelY());
}

double Form::outerWidth() const
{
    return pixelsToTwips(window->outerBounds().width, Screen::twipsPerPixelX());
}

double Form::outerHeight() const
{
    return pixelsToTwips(window->outerBounds().height, Screen::twipsPerPixelY());
}

void Form::move(double left, double top, double width, double height)
{
    const double x = Screen::twipsPerPixelX(), y = Screen::twipsPerPixelY();
    window->place({twipsToPixels(left, x), twipsToPixels(top, y), std::max(0, twipsToPixels(width, x)),
                   std::max(0, twipsToPixels(height, y))});
}

std::vector<Control*> Form::allControls() const
{
    std::vector<Control*> all;
    auto walk = [&all](const Container& container, auto& self) -> void {
        for (Control* control : container.controls()) {
            all.push_back(control);
            if (const auto* inner = dynamic_cast<const Container*>(control))
                self(*inner, self);
        }
    };
    walk(*this, walk);
    return all;
}

int Form::innerWidthPixels() const
{
    return window->bounds().width;
}

int Form::innerHeightPixels() const
{
    return window->bounds().height;
}

}  // namespace forms

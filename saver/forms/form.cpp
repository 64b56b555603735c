#include "saver/forms/form.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>

#include <stdexcept>

#include "platform/form_window.h"
#include "saver/forms/control.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/runtime.h"
#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace forms {

// The form's toolkit window: paints the form's image under its controls and reports the close
// box and size changes to the form.
class FormWindow : public Fl_Double_Window {
public:
    explicit FormWindow(Form& form) : Fl_Double_Window(320, 240), owner(form)
    {
        end();
        callback(closeRequested, &form);
    }

    void draw() override
    {
        if (damage() & ~FL_DAMAGE_CHILD)
            owner.paintBackground();
        draw_children();
    }

    void resize(int x, int y, int width, int height) override
    {
        const bool sized = width != w() || height != h();
        Fl_Double_Window::resize(x, y, width, height);
        if (sized)
            owner.windowResized();
    }

private:
    static void closeRequested(Fl_Widget*, void* form)
    {
        // The toolkit closes windows on Esc; forms close only by their close box or code.
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
            return;
        static_cast<Form*>(form)->closeBox();
    }

    Form& owner;
};

Form::Form(std::string caption) : title(std::move(caption))
{
    window = std::unique_ptr<FormWindow>(newWidget<FormWindow>(*this));
    window->label(title.c_str());
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
    if (!platform::createFormWindow(*window))
        throw std::runtime_error("there is no display for the form " + title);
    if (icon) {
        // The toolkit copies the pixels into the window's icon property.
        const Fl_RGB_Image image(icon->data(), icon->width(), icon->height(), 3);
        window->icon(&image);
    }
    isLoaded = true;
    resizedSinceShown = false;
    formLoaded(*this);
    if (Screen::mousePointer() == MousePointer::Hourglass)
        window->cursor(FL_CURSOR_WAIT);
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
    window->show();              // maps the window made at load
    window->Fl_Widget::show();   // visible for the toolkit now, so its subwindows appear at once
    platform::flushDisplay();
}

void Form::showModal()
{
    show();
    while (isLoaded)
        Fl::wait();
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

void Form::closeBox()
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
    window->hide();  // destroys the window
    platform::flushDisplay();
}

void Form::windowResized()
{
    if (isLoaded && resizedSinceShown)
        suppressErrors([this] { Form_Resize(); });
}

bool Form::visible() const
{
    return isLoaded && window->visible();
}

platform::NativeWindow Form::hWnd() const
{
    return isLoaded ? platform::formWindowHandle(*window) : 0;
}

void Form::setCaption(const std::string& caption)
{
    title = caption;
    window->label(title.c_str());  // the title of the window, also while it is hidden
    platform::flushDisplay();       // others look for it by that title at once
}

void Form::setBorderStyle(BorderStyle style)
{
    window->border(style != BorderStyle::NoBorder);
    if (style == BorderStyle::Sizable) {
        window->resizable(window.get());
        window->size_range(1, 1);
    } else {
        window->resizable(nullptr);
        window->size_range(window->w(), window->h(), window->w(), window->h());
    }
}

void Form::setIcon(std::shared_ptr<const RgbSurface> picture)
{
    icon = std::move(picture);
}

double Form::left() const
{
    return pixelsToTwips(window->x(), Screen::twipsPerPixelX());
}

double Form::top() const
{
    return pixelsToTwips(window->y(), Screen::twipsPerPixelY());
}

double Form::width() const
{
    return pixelsToTwips(window->w(), Screen::twipsPerPixelX());
}

double Form::height() const
{
    return pixelsToTwips(window->h(), Screen::twipsPerPixelY());
}

void Form::move(double left, double top, double width, double height)
{
    const int x = Screen::twipsPerPixelX(), y = Screen::twipsPerPixelY();
    window->resize(twipsToPixels(left, x), twipsToPixels(top, y), std::max(0, twipsToPixels(width, x)),
                   std::max(0, twipsToPixels(height, y)));
    if (!window->resizable())
        window->size_range(window->w(), window->h(), window->w(), window->h());
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

Fl_Group& Form::group()
{
    return *window;
}

int Form::innerWidthPixels() const
{
    return window->w();
}

int Form::innerHeightPixels() const
{
    return window->h();
}

void Form::refresh()
{
    window->redraw();
    Fl::flush();
}

}  // namespace forms

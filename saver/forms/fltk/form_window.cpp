// A form's window on FLTK: a double-buffered top-level window whose X window is made at load,
// hidden (platform/x11/fltk/form_window.h), and mapped when the form is shown.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>

#include "platform/x11/fltk/form_window.h"
#include "saver/forms/fltk/control_widget.h"
#include "saver/forms/form.h"
#include "saver/forms/runtime.h"

namespace forms::fltk {
namespace {

// Paints the form's image under its controls and reports the close box and size changes.
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
            drawBackground(owner);
        draw_children();
    }

    int handle(int event) override
    {
        switch (event) {
        case FL_FOCUS:
            // The toolkit gives a window that gets the focus to its first child that takes it;
            // the form decides instead.
            owner.windowFocused();
            return 1;
        case FL_KEYBOARD:
            if (Fl::event_key() != FL_Tab)
                return 0;
            owner.tabPressed(Fl::event_state(FL_SHIFT) != 0);
            return 1;
        case FL_SHORTCUT:
            return 0;  // the toolkit's Enter and arrows would move the focus
        default:
            return Fl_Double_Window::handle(event);
        }
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
        static_cast<Form*>(form)->closeRequested();
    }

    Form& owner;
};

class FormPeer : public backend::FormPeer {
public:
    explicit FormPeer(Form& form) : window(newWidget<FormWindow>(form)) {}

    void adopt(backend::ControlPeer& control) override { window->add(widgetOf(control)); }
    void refresh() override
    {
        window->redraw();
        Fl::flush();
    }

    platform::NativeWindow create() override
    {
        // Every form window destroyed by anyone unloads its form, from the first form on.
        static const bool watching = [] {
            platform::onWindowDestroyed(formWindowDestroyed);
            return true;
        }();
        (void)watching;
        return platform::createFormWindow(*window);
    }
    void destroy() override
    {
        window->hide();  // destroys the window
        platform::flushDisplay();
    }
    void show() override
    {
        window->show();             // maps the window made at load
        window->Fl_Widget::show();  // visible for the toolkit now, so its subwindows appear at once
        platform::flushDisplay();
    }
    bool visible() const override { return window->visible(); }
    platform::NativeWindow nativeHandle() const override { return platform::formWindowHandle(*window); }

    void setTitle(const std::string& text) override
    {
        title = text;
        window->label(title.c_str());
        platform::flushDisplay();  // others look for it by that title at once
    }
    void setBorderStyle(BorderStyle style) override
    {
        window->border(style != BorderStyle::NoBorder);
        if (style == BorderStyle::Sizable) {
            window->resizable(window.get());
            window->size_range(1, 1);
        } else {
            window->resizable(nullptr);
            keepSize();
        }
    }
    void setIcon(const RgbSurface& icon) override
    {
        // The toolkit copies the pixels into the window's icon property.
        const Fl_RGB_Image image(icon.data(), icon.width(), icon.height(), 3);
        window->icon(&image);
    }

    PixelRect bounds() const override { return {window->x(), window->y(), window->w(), window->h()}; }
    PixelRect outerBounds() const override
    {
        const platform::FrameExtents frame = platform::formFrameExtents(nativeHandle());
        return {window->x() - frame.left, window->y() - frame.top, window->w() + frame.left + frame.right,
                window->h() + frame.top + frame.bottom};
    }
    void place(const PixelRect& area) override
    {
        window->resize(area.x, area.y, area.width, area.height);
        if (!window->resizable())
            keepSize();
    }
    void setPointer(MousePointer pointer) override
    {
        window->cursor(pointer == MousePointer::Hourglass ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
    }
    void takeFocus() override { platform::focusFormWindow(nativeHandle()); }

private:
    void keepSize() { window->size_range(window->w(), window->h(), window->w(), window->h()); }

    std::unique_ptr<FormWindow> window;
    std::string title;  // the toolkit keeps a pointer to the label
};

}  // namespace
}  // namespace forms::fltk

namespace forms::backend {

std::unique_ptr<FormPeer> makeForm(Form& owner)
{
    return std::make_unique<fltk::FormPeer>(owner);
}

}  // namespace forms::backend

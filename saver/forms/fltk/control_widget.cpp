#include "saver/forms/fltk/control_widget.h"

#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "saver/forms/screen.h"

namespace forms::fltk {
namespace {

int formsButton(int toolkitButton)
{
    switch (toolkitButton) {
    case FL_LEFT_MOUSE: return vbLeftButton;
    case FL_RIGHT_MOUSE: return vbRightButton;
    case FL_MIDDLE_MOUSE: return vbMiddleButton;
    default: return 0;
    }
}

int formsShift()
{
    const int state = Fl::event_state();
    return (state & FL_SHIFT ? vbShiftMask : 0) | (state & FL_CTRL ? vbCtrlMask : 0) | (state & FL_ALT ? vbAltMask : 0);
}

}  // namespace

Fl_Widget& widgetOf(backend::ControlPeer& peer)
{
    return dynamic_cast<Fl_Widget&>(peer);
}

void redrawParent(Fl_Widget& widget)
{
    if (Fl_Group* group = widget.parent())
        group->redraw();
}

void drawPicture(const RgbSurface* picture, int x, int y, int width, int height, Colour fill)
{
    const int pictureWidth = picture ? picture->width() : 0, pictureHeight = picture ? picture->height() : 0;
    const int shownWidth = std::min(width, pictureWidth), shownHeight = std::min(height, pictureHeight);
    fl_color(fl_rgb_color(fill.r, fill.g, fill.b));
    if (shownWidth < width)
        fl_rectf(x + shownWidth, y, width - shownWidth, height);
    if (shownHeight < height)
        fl_rectf(x, y + shownHeight, shownWidth, height - shownHeight);
    if (shownWidth > 0 && shownHeight > 0)
        fl_draw_image(picture->data(), x, y, shownWidth, shownHeight, 3, pictureWidth * 3);
}

void drawBackground(const Container& container)
{
    const Container::Background background = container.background();
    drawPicture(background.picture, container.innerLeftPixels(), container.innerTopPixels(),
                container.innerWidthPixels(), container.innerHeightPixels(), background.fill);
}

bool ControlEvents::handle(Fl_Widget& widget, int event)
{
    // A control with a window of its own gets its events in that window's coordinates already.
    const bool ownWindow = widget.as_window() != nullptr;
    const int x = Fl::event_x() - (ownWindow ? 0 : widget.x()), y = Fl::event_y() - (ownWindow ? 0 : widget.y());
    const int button = formsButton(Fl::event_button()), shift = formsShift();
    const ScreenPoint screen{Fl::event_x_root(), Fl::event_y_root()};
    switch (event) {
    case FL_ENTER:
        if (pointer == ControlPointer::Custom && image && widget.window())
            widget.window()->cursor(image.get(), picture->hotX, picture->hotY);
        else if (pointer != ControlPointer::Default && widget.window())
            widget.window()->cursor(FL_CURSOR_HAND);
        // The toolkit reports the motion that crosses into a control as the entry alone; that
        // motion is a mouse move over the control all the same.
        pointerAt = screen;
        owner.pointerMoved(0, shift, x, y);
        return true;  // and so receive the moves
    case FL_LEAVE:
        pointerAt.reset();
        if (pointer != ControlPointer::Default && widget.window())
            widget.window()->cursor(Screen::mousePointer() == MousePointer::Hourglass ? FL_CURSOR_WAIT
                                                                                        : FL_CURSOR_DEFAULT);
        return true;
    case FL_PUSH:
        moveFirst(screen, 0, shift, x, y);
        owner.pointerPressed(button, shift, x, y);
        return true;  // and so receive the drag and the release
    case FL_MOVE:
    case FL_DRAG:
        pointerAt = screen;
        owner.pointerMoved(event == FL_DRAG ? button : 0, shift, x, y);
        return true;
    case FL_RELEASE:
        moveFirst(screen, button, shift, x, y);  // the button is still down while it moves
        owner.pointerReleased(button, shift, x, y, Fl::event_inside(&widget));
        return true;
    default:
        return false;
    }
}

void ControlEvents::moveFirst(ScreenPoint screen, int button, int shift, int x, int y)
{
    if (pointerAt == screen)
        return;
    pointerAt = screen;
    owner.pointerMoved(button, shift, x, y);
}

void ControlEvents::setPointer(ControlPointer shown, std::shared_ptr<const PointerPicture> custom)
{
    pointer = shown;
    if (custom == picture)
        return;
    picture = std::move(custom);
    image = picture ? std::make_unique<Fl_RGB_Image>(picture->rgba.data(), picture->width, picture->height, 4)
                    : nullptr;
}

}  // namespace forms::fltk

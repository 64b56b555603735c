#pragma once
// The seam between the forms layer and a user-interface toolkit.
//
// Everything in saver/forms outside a toolkit's folder is portable: the forms, controls and
// timers keep their own state (positions in twips, captions, colours, pictures, the persistent
// RGB images, the property store) and run the handlers. A toolkit only shows that state and
// reports the user's input. Each toolkit is one folder (saver/forms/fltk/ on X11) that defines
// what this file declares, and the build links exactly one of them:
//
// - start(), waitForEvents(), flush(): the toolkit's process. While the toolkit waits it also
//   watches for the platform's end request (platform/end_request.h) and then calls
//   forms::endRequested(); a native form window destroyed by anyone is reported to
//   forms::formWindowDestroyed(handle).
// - startTimer() and stopTimer(): repeating timers that call Timer::tick() on the user-interface
//   thread, due one interval after the last tick was due.
// - One peer per form or control, made by the make...() functions: the native side of that
//   one object. The portable object owns its peer, and the peer never outlives it. A peer reads
//   what to draw from its owner's public getters (Container::background(), Label::caption(),
//   ...) whenever it paints, and calls the owner's input entry points (Control::pointerPressed
//   and the like, Form::closeRequested, Form::windowResized, Control::focusChanged).
//
// What each peer draws and reports:
// - form: Container::background() under its controls; the close box (never Esc) calls
//   Form::closeRequested(), a new size Form::windowResized(). Its window getting the keyboard
//   focus itself calls Form::windowFocused(); Tab and Shift+Tab that no control took call
//   Form::tabPressed(), and no other key moves the focus.
// - picture box: background() over the inner area, a one-pixel black frame when hasBorder().
//   Moving the box moves the controls inside it by the same distance: their owners don't
//   place them again.
// - user control: background() when backStyleOpaque(), else its container's backColor(); a real
//   gain or loss of the keyboard focus calls Control::focusChanged().
// - label: caption() in font(), foreColor(), alignment(), wrapped at the width from the top,
//   underlined by hand when asked, greyed when disabled, on backColor() unless transparent().
// - image: picture() at the top-left corner, or scaled to the control when stretch()
//   (RgbSurface::stretchFrom does it in software).
// - shape: a one-pixel outline in borderColor(); it takes no input.
// - combo box: the toolkit's own edit field with a drop-down list; it raises no mouse events.
//   The focus coming to it by a click calls Control::focusChanged(true).
// The pointer entry points take the toolkit's buttons and shift keys as vbLeftButton... and
// vbShiftMask... (control.h); the motion that enters a control is also a move, with no button.
// A press or release where the control was not last told the pointer is comes after a move
// there, as on Windows, also when the toolkit folds that motion into the press.
// A control whose pointer is Hand or Custom shows it while the pointer is over it, and the
// screen's pointer (Screen::mousePointer()) again when it leaves.
//
// Units are pixels. A control's position is relative to the native window its container draws
// into (a picture box has none of its own: its controls are placed in its form's window, offset
// by the box's inner corner; forms and user controls have windows of their own).
#include <memory>
#include <string>

#include "platform/native_window.h"
#include "saver/forms/property_bag.h"
#include "saver/forms/rgb_surface.h"
#include "saver/forms/screen.h"

namespace forms {

class ComboBox;
class Control;
class Form;
class ImageControl;
class Label;
class PictureBox;
class Shape;
class Timer;
class UserControl;
struct PointerPicture;
enum class BorderStyle;
enum class ControlPointer;

namespace backend {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Opens the toolkit on the process's one connection to the windowing system. False when there
// is no display. Calling it again does nothing more.
bool start();
// Waits for events (a timer's tick, input, a redraw, the end request) and handles them.
void waitForEvents();
// Sends every drawing and request still waiting to the windowing system.
void flush();

void startTimer(Timer& timer, int milliseconds);
void stopTimer(Timer& timer);

// The native side of a control.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void place(const PixelRect& area) = 0;
    virtual PixelRect bounds() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool visible() const = 0;
    // A disabled control gets no input and looks disabled.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    // The owner's look changed: it is drawn again from the owner's getters.
    virtual void redraw() = 0;
    // The pointer shown while the pointer is over the control.
    virtual void setPointer(ControlPointer pointer, std::shared_ptr<const PointerPicture> picture) = 0;
    // Leaves the container it is in; its owner deletes it later.
    virtual void detach() = 0;
    // The keyboard focus to the control, if it is of a kind that takes it and does not have it.
    virtual void takeFocus() = 0;
    // Whether the focus is on the control or a part of it.
    virtual bool hasFocus() const = 0;
};

// What holds controls: a form's window, a picture box, a user control's window.
class ContainerPeer {
public:
    virtual ~ContainerPeer() = default;
    // The control's peer now shows inside this container, above the ones adopted before it.
    virtual void adopt(ControlPeer& control) = 0;
    // Shows the owner's image and controls now.
    virtual void refresh() = 0;
};

// A form's top-level window. It exists natively only between create() and destroy().
class FormPeer : public ContainerPeer {
public:
    // The native window, hidden, with the current title; 0 when there is no display.
    virtual platform::NativeWindow create() = 0;
    virtual void destroy() = 0;
    // Maps the window made by create(), at once.
    virtual void show() = 0;
    virtual bool visible() const = 0;
    virtual platform::NativeWindow nativeHandle() const = 0;
    // The title is visible to other programs' window look-ups at once.
    virtual void setTitle(const std::string& title) = 0;
    virtual void setBorderStyle(BorderStyle style) = 0;
    virtual void setIcon(const RgbSurface& icon) = 0;
    // Position on the screen and the size of the inner area.
    virtual PixelRect bounds() const = 0;
    // The size of the whole window, with the border and caption the system draws around it.
    virtual PixelRect outerBounds() const = 0;
    virtual void place(const PixelRect& area) = 0;
    virtual void setPointer(MousePointer pointer) = 0;
    // The window becomes the one the user works with and gets the keyboard focus, once the
    // windowing system shows it.
    virtual void takeFocus() = 0;
};

class PictureBoxPeer : public ControlPeer, public ContainerPeer {};

class UserControlPeer : public ControlPeer, public ContainerPeer {
public:
    // The control's own native window while its form is shown, else 0.
    virtual platform::NativeWindow nativeHandle() const = 0;
};

class ComboBoxPeer : public ControlPeer {
public:
    virtual void addItem(const std::string& entry) = 0;
    virtual int listCount() const = 0;
    virtual std::string list(int index) const = 0;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    virtual void setBackColor(Colour colour) = 0;
};

std::unique_ptr<FormPeer> makeForm(Form& owner);
std::unique_ptr<PictureBoxPeer> makePictureBox(PictureBox& owner);
std::unique_ptr<UserControlPeer> makeUserControl(UserControl& owner);
std::unique_ptr<ComboBoxPeer> makeComboBox(ComboBox& owner);
std::unique_ptr<ControlPeer> makeLabel(Label& owner);
std::unique_ptr<ControlPeer> makeImage(ImageControl& owner);
std::unique_ptr<ControlPeer> makeShape(Shape& owner);

}  // namespace backend
}  // namespace forms

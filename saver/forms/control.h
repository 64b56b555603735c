#pragma once
// A control on a form or in a picture box or user control: a name and index, a position and
// size in twips within its container, visibility, the enabled state, and the mouse events of
// the forms runtime.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "saver/forms/backend.h"
#include "saver/forms/rgb_surface.h"

namespace forms {

class Container;

// Button and shift-key values as the forms runtime reports them.
enum : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// Which button, which shift keys, and where, in twips from the control's top-left corner.
struct MouseEvent {
    int button = 0;
    int shift = 0;
    double x = 0, y = 0;
};

// Custom: the control's own picture (setMouseIcon).
enum class ControlPointer { Default, Hand, Custom };

// A pointer picture: RGBA rows, top row first, see-through where alpha is 0, and the hot spot,
// the pixel it points with.
struct PointerPicture {
    std::vector<std::uint8_t> rgba;
    int width = 0, height = 0;
    int hotX = 0, hotY = 0;
};

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return controlName; }
    // The index in a control array, -1 for a control that is in none.
    int index() const { return controlIndex; }
    // Null once the container has gone.
    Container* container() const { return holder; }

    // Position and size in the container, in twips.
    double left() const { return leftTwips; }
    double top() const { return topTwips; }
    double width() const { return widthTwips; }
    double height() const { return heightTwips; }
    void move(double left, double top, double width, double height);
    void move(double left, double top) { move(left, top, widthTwips, heightTwips); }
    // The same in pixels.
    int leftPixels() const;
    int topPixels() const;
    int widthPixels() const;
    int heightPixels() const;
    void movePixels(int left, int top, int width, int height);

    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    virtual void setEnabled(bool enabled);
    // The mouse pointer while it is over the control.
    void setMousePointer(ControlPointer pointer);
    // The picture of the Custom pointer: pixels of the transparent colour are see-through, and
    // the hot spot is the pixel it points with.
    void setMouseIcon(const RgbSurface& picture, Colour transparent, int hotX, int hotY);

    // SetFocus: the keyboard focus to the control, if it is of a kind that takes it.
    void setFocus();
    // Whether the keyboard focus is on the control or on a part of it.
    bool hasFocus() const;
    // Whether Tab stops at the control now: it takes the focus, and it and every picture box it
    // is in are shown and enabled.
    bool tabStopNow() const;

    std::function<void()> onClick;
    std::function<void(const MouseEvent&)> onMouseDown, onMouseMove, onMouseUp;

    // For the toolkit backend: the user's pointer on the control, at (x, y) in pixels from the
    // control's top-left corner, with the button and shift values above. The handlers run
    // with errors suppressed; a release inside the control is also a click.
    void pointerPressed(int button, int shift, int x, int y);
    void pointerMoved(int button, int shift, int x, int y);
    void pointerReleased(int button, int shift, int x, int y, bool inside);
    // For the toolkit backend: the control got or lost the keyboard focus.
    void focusChanged(bool got);

protected:
    Control(Container& container, std::string name, int index);
    // Takes ownership of the control's native side and places it in the container.
    void attach(std::unique_ptr<backend::ControlPeer> peer);
    backend::ControlPeer& peer() const { return *ownPeer; }
    // What the events do; a user control has its own handlers.
    virtual void mouseDown(const MouseEvent& event);
    virtual void mouseMove(const MouseEvent& event);
    virtual void mouseUp(const MouseEvent& event);
    virtual void click();
    // After every change of position or size.
    virtual void moved() {}
    // The screen's resolution changed: the control stands again at its place in twips; kinds
    // with fonts of their own take them at the new resolution.
    virtual void rescaled();
    // Kinds that take the keyboard focus say so, while they do (TabStop).
    virtual bool tabStop() const { return false; }
    virtual void gotFocus() {}
    virtual void lostFocus() {}

private:
    friend class Container;
    friend class Form;
    void leaveContainer();
    void place();
    MouseEvent mouseEventAt(int button, int shift, int x, int y) const;

    Container* holder;
    std::string controlName;
    int controlIndex;
    std::unique_ptr<backend::ControlPeer> ownPeer;
    double leftTwips = 0, topTwips = 0, widthTwips = 0, heightTwips = 0;
    ControlPointer pointerOver = ControlPointer::Default;
    std::shared_ptr<const PointerPicture> mouseIcon;
};

}  // namespace forms

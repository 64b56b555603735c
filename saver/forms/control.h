#pragma once
// A control on a form or in a picture box or user control: a name and index, a position and
// size in twips within its container, visibility, the enabled state, and the mouse events of
// the forms runtime.
#include <FL/Fl_Group.H>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "saver/forms/rgb_surface.h"

class Fl_RGB_Image;

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
    void setMousePointer(ControlPointer pointer) { pointerOver = pointer; }
    // The picture of the Custom pointer: pixels of the transparent colour are see-through, and
    // the hot spot is the pixel it points with.
    void setMouseIcon(const RgbSurface& picture, Colour transparent, int hotX, int hotY);

    std::function<void()> onClick;
    std::function<void(const MouseEvent&)> onMouseDown, onMouseMove, onMouseUp;

    Fl_Widget& widget() const { return *ownWidget; }
    // The toolkit's events for the control's widget; true when the control took the event.
    bool handleToolkitEvent(int event);

protected:
    Control(Container& container, std::string name, int index);
    // Takes ownership of the control's widget and places it in the container.
    void attach(Fl_Widget* widget);
    // What the events do; a user control has its own handlers.
    virtual void mouseDown(const MouseEvent& event);
    virtual void mouseMove(const MouseEvent& event);
    virtual void mouseUp(const MouseEvent& event);
    virtual void click();
    // After every change of position or size.
    virtual void moved() {}

private:
    friend class Container;
    void leaveContainer();
    void place();
    MouseEvent currentMouseEvent() const;

    Container* holder;
    std::string controlName;
    int controlIndex;
    Fl_Widget* ownWidget = nullptr;
    double leftTwips = 0, topTwips = 0, widthTwips = 0, heightTwips = 0;
    ControlPointer pointerOver = ControlPointer::Default;
    struct PointerPicture;
    std::shared_ptr<PointerPicture> mouseIcon;
};

// A new toolkit widget outside any group (the toolkit otherwise adds it to the group being built).
template <class Widget, class... Arguments>
Widget* newWidget(Arguments&&... arguments)
{
    Fl_Group* building = Fl_Group::current();
    Fl_Group::current(nullptr);
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    Fl_Group::current(building);
    return widget;
}

// A toolkit widget whose mouse events go to its control first.
template <class Base>
class ControlWidget : public Base {
public:
    ControlWidget(Control& owner, int x, int y, int width, int height) : Base(x, y, width, height), owner(owner) {}
    int handle(int event) override { return owner.handleToolkitEvent(event) ? 1 : Base::handle(event); }

private:
    Control& owner;
};

}  // namespace forms

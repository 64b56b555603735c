#pragma once
// What every control's peer is on Win32, and what holds them. Controls without a window of
// their own (labels, images, shapes, picture boxes) are drawn into the window of the nearest
// container that has one (a form or a user control), in the order they were adopted; their
// rectangles are in that window's client pixels. Controls with windows (user controls, combo
// boxes) make them as children of that window whenever it exists.
#include "saver/forms/backend.h"
#include "saver/forms/control.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace forms::win32 {

using backend::PixelRect;

class Canvas;

class Element {
public:
    virtual ~Element() = default;
    virtual Control& owner() const = 0;

    // Windowless ones draw themselves into the host window's context.
    virtual void paint(HDC) {}
    // The control that takes the pointer at the point (host window pixels), if this one or one
    // inside it does.
    virtual Element* elementAt(POINT point);
    // The host window came or goes: windowed controls make or drop their windows.
    virtual void realize(HWND) {}
    virtual void unrealize() {}
    // Moves the control by the distance, as its picture box moved.
    virtual void shift(int dx, int dy);
    // The control's own window, if it has one.
    virtual HWND window() const { return nullptr; }
    // The colour a child window of this control is painted on (WM_CTLCOLOR...), if any.
    virtual HBRUSH controlColour(HWND, HDC) { return nullptr; }
    // A window of this control, or of one inside it, reported that it got the focus
    // (CBN_SETFOCUS); true when it was one of theirs.
    virtual bool focusEntered(HWND) { return false; }

    PixelRect area() const { return rect; }
    bool shown() const { return isShown; }
    bool active() const { return isActive; }
    // Shown, or enabled, itself and in every container up to the host window.
    bool shownInHost() const;
    bool enabledInHost() const;
    // The control's own visibility or enabled state changed, or its container's.
    virtual void stateChanged() {}
    // Shown, enabled and one that takes the pointer at all.
    bool reachable() const;
    ControlPointer pointer() const { return shownPointer; }
    const std::shared_ptr<const PointerPicture>& pointerPicture() const { return picture; }
    Canvas* holder() const { return container; }

protected:
    friend class Canvas;
    // Shapes let the pointer through to what is under them.
    virtual bool takesPointer() const { return true; }
    // Draws the control's area again in the host window.
    void invalidate() const;

    PixelRect rect;
    bool isShown = true;
    bool isActive = true;
    ControlPointer shownPointer = ControlPointer::Default;
    std::shared_ptr<const PointerPicture> picture;
    Canvas* container = nullptr;
};

Element& elementOf(backend::ControlPeer& peer);

// A form, picture box or user control: the controls adopted into it, bottom first.
class Canvas {
public:
    virtual ~Canvas();
    // The window the controls are drawn into, null while there is none.
    virtual HWND hostWindow() const = 0;
    // Whether the controls inside show and take input: a hidden or disabled picture box hides
    // or disables what is in it.
    virtual bool showsControls() const { return true; }
    virtual bool enablesControls() const { return true; }

    void adopt(Element& element);
    void remove(Element& element);
    void paintElements(HDC dc) const;
    Element* elementAt(POINT point) const;
    void realizeElements(HWND host) const;
    void unrealizeElements() const;
    void shiftElements(int dx, int dy) const;
    void stateChangedAround() const;
    HBRUSH controlColour(HWND child, HDC dc) const;
    bool focusEntered(HWND child) const;
    void invalidateArea(const PixelRect& area) const;

private:
    std::vector<Element*> elements;
};

// The ControlPeer calls for a control: Interface is the peer interface it implements.
template <class Interface>
class PeerOf : public Interface, public Element {
public:
    explicit PeerOf(Control& control) : control(control) {}
    ~PeerOf() override { detach(); }

    Control& owner() const override { return control; }

    void place(const PixelRect& area) override
    {
        invalidate();
        rect = area;
        placed();
        invalidate();
    }
    PixelRect bounds() const override { return rect; }
    void setVisible(bool visible) override
    {
        if (visible == isShown)
            return;
        isShown = visible;
        stateChanged();
        invalidate();
    }
    bool visible() const override { return isShown; }
    void setEnabled(bool enabled) override
    {
        isActive = enabled;
        stateChanged();
        invalidate();
    }
    bool enabled() const override { return isActive; }
    void redraw() override { invalidate(); }
    void setPointer(ControlPointer shown, std::shared_ptr<const PointerPicture> custom) override
    {
        shownPointer = shown;
        picture = std::move(custom);
    }
    void detach() override
    {
        unrealize();
        if (container)
            container->remove(*this);
    }
    void takeFocus() override
    {
        if (HWND own = window(); own && !hasFocus())
            SetFocus(own);
    }
    bool hasFocus() const override
    {
        HWND own = window(), focused = GetFocus();
        return own && focused && (focused == own || IsChild(own, focused));
    }

protected:
    // After the rectangle changed.
    virtual void placed() {}

private:
    Control& control;
};

}  // namespace forms::win32

#pragma once
// A user control: a control with a window of its own inside its form, its own constituent
// controls, a persistent image, keyboard focus, and a property store that its host keeps with
// the form's design data. A control such as a push button is written by deriving from it and
// filling in the UserControl_ handlers.
#include <string_view>

#include "platform/native_window.h"
#include "saver/forms/container.h"
#include "saver/forms/control.h"
#include "saver/forms/property_bag.h"

namespace forms {

class UserControl : public Control, public Container {
public:
    UserControl(Container& container, std::string name, int index = -1);
    ~UserControl() override;

    // The native handle of the control's own window while its form is shown, else 0.
    platform::NativeWindow hWnd() const;

    // The host hands over the properties saved with the form: ReadProperties runs with them.
    // Without any, InitProperties runs instead.
    void readProperties(const PropertyBag& saved);
    void initProperties();
    // The host asks for the properties to keep: WriteProperties runs, then the extent is added.
    PropertyBag writeProperties();
    // Whether PropertyChanged was called since the properties were last written.
    bool propertiesChanged() const { return changed; }

    // The host's font, which the control may take as its own.
    FontSpec ambientFont() const;
    // Opaque (the default) shows the image; transparent shows the host's back colour instead.
    void setBackStyleOpaque(bool opaque);
    bool backStyleOpaque() const { return opaque; }

    backend::ContainerPeer& containerPeer() override { return *surface; }
    int innerLeftPixels() const override { return 0; }
    int innerTopPixels() const override { return 0; }
    int innerWidthPixels() const override;
    int innerHeightPixels() const override;
    Form& form() override;

protected:
    // Tells the host that a stored property has a new value.
    void PropertyChanged(std::string_view property);

    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(const PropertyBag& properties) { (void)properties; }
    virtual void UserControl_WriteProperties(PropertyBag& properties) { (void)properties; }
    virtual void UserControl_MouseDown(int button, int shift, double x, double y) { (void)button, (void)shift, (void)x, (void)y; }
    virtual void UserControl_MouseMove(int button, int shift, double x, double y) { (void)button, (void)shift, (void)x, (void)y; }
    virtual void UserControl_MouseUp(int button, int shift, double x, double y) { (void)button, (void)shift, (void)x, (void)y; }
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_Resize() {}

    // A user control raises its own Click (through onClick); a release alone raises nothing.
    void click() override {}
    // A user control takes the keyboard focus (CanGetFocus).
    bool tabStop() const override { return true; }
    void gotFocus() override { UserControl_GotFocus(); }
    void lostFocus() override { UserControl_LostFocus(); }

private:
    void mouseDown(const MouseEvent& event) override;
    void mouseMove(const MouseEvent& event) override;
    void mouseUp(const MouseEvent& event) override;
    void moved() override;

    backend::UserControlPeer* surface;
    bool opaque = true;
    bool changed = false;
};

}  // namespace forms

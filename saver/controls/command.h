#pragma once
// Command: the saver's owner-drawn push button. Its face is a vertical two-colour gradient
// under a rim cut from one of six face pictures chosen by its state; a transparent, centred
// caption lies over it. It watches the pointer itself with a 100 ms timer, so the pointer-over
// look goes as soon as the pointer leaves, and it raises one event, Click (through onClick).
//
// The host's use: place the button, hand it its stored properties with readProperties(),
// call Initialize() once its form is loaded, and set onClick.
//
// The button's properties are the capitalised getters below with their set... partners. Use
// these, not Control's visible()/setVisible(), which show and hide the button's window:
// Visible() / setVisibleProperty() is the opaque or transparent face. setEnabled() is the
// Enabled property (it replaces Control's); the button's window stays able to take input and
// the handlers themselves ignore everything while the button is disabled; Tab passes it by.
#include <cstdint>
#include <string>

#include "platform/native_window.h"
#include "saver/controls/button_faces.h"
#include "saver/forms/label.h"
#include "saver/forms/rgb_surface.h"
#include "saver/forms/timer.h"
#include "saver/forms/user_control.h"

class Command : public forms::UserControl {
public:
    Command(forms::Container& container, std::string name, int index = -1);
    ~Command() override;

    // Starts the hover watch: state 1, the 100 ms timer on. Nothing is repainted.
    void Initialize();

    // The properties. Reading Visible, FontColour and Enabled re-applies the look, as the
    // button always did; hosts that only want to know should keep their own note.
    bool Visible();
    void setVisibleProperty(bool visible);
    std::uint32_t FontColour();  // 0x00BBGGRR
    void setFontColour(std::uint32_t colour);
    bool Enabled();
    void setEnabled(bool enabled) override;
    std::string Caption() const;
    void setCaption(const std::string& caption);
    forms::FontSpec Font() const;
    void setFont(const forms::FontSpec& font);

protected:
    void UserControl_ReadProperties(const forms::PropertyBag& properties) override;
    void UserControl_WriteProperties(forms::PropertyBag& properties) override;
    void UserControl_MouseDown(int button, int shift, double x, double y) override;
    void UserControl_MouseMove(int button, int shift, double x, double y) override;
    void UserControl_MouseUp(int button, int shift, double x, double y) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_Resize() override;
    void TmrMouse_Timer();
    // Tab passes a disabled button by.
    bool tabStop() const override { return EnabledFlag != 0; }

    // The hover check's question: the native window under the pointer now (0 when unknown).
    virtual platform::NativeWindow windowUnderPointer() const;
    // The window the hover check compares with: the host form's own.
    virtual platform::NativeWindow hostFormWindow() const;

    // 0 before Initialize; 1 normal; 2 pointer over, no focus; 3 focused; 4 focused, pointer over.
    std::uint8_t ButtonState = 0;
    // Flags hold -1 for true, as the forms runtime keeps them.
    std::int16_t EnabledFlag = 0;
    std::int16_t MouseHeld = 0;
    std::int16_t HoverShade = 0;
    // 0 until the button was first set up.
    std::uint8_t FirstRun = 0;
    // How many times the face was repainted: a plain hover tick must not add to it.
    int faceRepaints = 0;

private:
    // A row of the transition table: the new state, then its face.
    void enterState(std::uint8_t state, ButtonFace face);
    void PaintFace(ButtonFace face);
    void ShadeFace();
    void LeaveCheck();
    void ApplyEnabledLook();
    void ApplyLook();
    void LblMsg_MouseDown(const forms::MouseEvent& event);
    void LblMsg_MouseMove(const forms::MouseEvent& event);
    void LblMsg_MouseUp(const forms::MouseEvent& event);

    std::uint32_t captionColour = 0;
    forms::Label LblMsg;
    forms::Timer TmrMouse;
};

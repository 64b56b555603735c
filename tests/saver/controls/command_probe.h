#pragma once
// A Command whose handlers a test calls itself, with the hover tick's question answered by the
// test: the pointer over the button, over its form, or elsewhere.
#include "saver/controls/command.h"

class CommandProbe : public Command {
public:
    using Command::Command;
    using Command::TmrMouse_Timer;
    using Command::UserControl_GotFocus;
    using Command::UserControl_LostFocus;
    using Command::UserControl_MouseDown;
    using Command::UserControl_MouseMove;
    using Command::UserControl_MouseUp;

    enum class Pointer { OverButton, OverForm, Elsewhere };
    Pointer pointer = Pointer::Elsewhere;

    int state() const { return ButtonState; }
    bool held() const { return MouseHeld != 0; }
    bool hoverShade() const { return HoverShade != 0; }
    int firstRun() const { return FirstRun; }
    int repaints() const { return faceRepaints; }

protected:
    platform::NativeWindow windowUnderPointer() const override
    {
        switch (pointer) {
        case Pointer::OverButton: return hWnd();
        case Pointer::OverForm: return formWindow;
        default: return elsewhere;
        }
    }
    platform::NativeWindow hostFormWindow() const override { return formWindow; }

private:
    static constexpr platform::NativeWindow formWindow = 0x100, elsewhere = 0x200;
};

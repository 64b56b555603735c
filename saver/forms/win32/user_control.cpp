// A user control on Win32: a child window of the window its container draws into, made when
// that window is and gone with it. It takes the keyboard focus and shows its own controls.
#include "saver/forms/user_control.h"
#include "saver/forms/win32/drawing.h"
#include "saver/forms/win32/surface_window.h"

namespace forms::win32 {
namespace {

class UserControlWindow : public PeerOf<backend::UserControlPeer>, public Canvas, public SurfaceWindow {
public:
    explicit UserControlWindow(UserControl& control)
        : PeerOf(control), SurfaceWindow(*this, this), control(control)
    {
    }
    ~UserControlWindow() override { unrealize(); }

    void adopt(backend::ControlPeer& child) override { Canvas::adopt(elementOf(child)); }
    void refresh() override { repaint(); }
    HWND hostWindow() const override { return handle(); }
    HWND window() const override { return handle(); }

    platform::NativeWindow nativeHandle() const override { return reinterpret_cast<platform::NativeWindow>(handle()); }

    void realize(HWND host) override
    {
        if (handle())
            return;
        const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (shownInHost() ? WS_VISIBLE : 0) |
                            (enabledInHost() ? 0 : WS_DISABLED);
        createWindow(Kind::Control, L"", style, 0, {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height}, host);
        // Above the windows made before it.
        SetWindowPos(handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        realizeElements(handle());
    }
    void unrealize() override
    {
        unrealizeElements();
        destroyWindow();
    }
    HBRUSH controlColour(HWND child, HDC dc) override { return Canvas::controlColour(child, dc); }
    // Its window hides what is in it by itself; a disabled control's controls look disabled too.
    bool enablesControls() const override { return enabledInHost(); }

protected:
    void placed() override
    {
        if (handle())
            SetWindowPos(handle(), nullptr, rect.x, rect.y, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void stateChanged() override
    {
        if (!handle())
            return;
        ShowWindow(handle(), shownInHost() ? SW_SHOWNA : SW_HIDE);
        EnableWindow(handle(), enabledInHost());
        stateChangedAround();
    }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SETFOCUS:
            control.focusChanged(true);
            return 0;
        case WM_KILLFOCUS:
            control.focusChanged(false);
            return 0;
        default:
            return defaultHandling(message, wParam, lParam);
        }
    }

    void paintBackground(HDC dc, int width, int height) override
    {
        if (control.backStyleOpaque()) {
            drawBackground(dc, control);
        } else {
            const Colour host = control.container() ? control.container()->backColor() : control.backColor();
            fillArea(dc, {0, 0, width, height}, host);
        }
    }

private:
    UserControl& control;
};

}  // namespace
}  // namespace forms::win32

namespace forms::backend {

std::unique_ptr<UserControlPeer> makeUserControl(UserControl& owner)
{
    return std::make_unique<win32::UserControlWindow>(owner);
}

}  // namespace forms::backend

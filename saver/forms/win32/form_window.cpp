// A form on Win32: a top-level window of its own class. Its style follows the border style;
// its rectangle is kept while it has no window, and its close box asks the form to unload.
#include "saver/forms/form.h"
#include "saver/forms/runtime.h"
#include "saver/forms/win32/cursors.h"
#include "saver/forms/win32/drawing.h"
#include "saver/forms/win32/surface_window.h"
#include "platform/win32/dpi.h"
#include "platform/win32/text_encoding.h"

#include <algorithm>
#include <cmath>

namespace forms::win32 {
namespace {

DWORD styleFor(BorderStyle border)
{
    switch (border) {
    case BorderStyle::NoBorder: return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::FixedSingle: return WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case BorderStyle::Sizable: return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    }
    return WS_POPUP;
}

class FormWindow : public backend::FormPeer, public Canvas, public SurfaceWindow {
public:
    explicit FormWindow(Form& form) : SurfaceWindow(*this, nullptr), owner(form) {}

    void adopt(backend::ControlPeer& control) override { Canvas::adopt(elementOf(control)); }
    void refresh() override { repaint(); }
    HWND hostWindow() const override { return handle(); }

    platform::NativeWindow create() override
    {
        if (!handle()) {
            createWindow(Kind::Form, platform::win32::wideFromUtf8(title), styleFor(border), 0, outerRect(area),
                         nullptr);
            clientSize = {area.width, area.height};
            if (handle()) {
                realizeElements(handle());
                showIcon();
                // Per-monitor aware, the window may have opened on a monitor of another scaling.
                if (const UINT dpi = platform::win32::windowDpi(handle()); dpi && dpi != Screen::dotsPerInch())
                    rescale(dpi, nullptr);
            }
        }
        return nativeHandle();
    }
    void destroy() override
    {
        if (!dying)
            destroyWindow();
    }
    void show() override
    {
        if (!handle())
            return;
        ShowWindow(handle(), SW_SHOW);
        UpdateWindow(handle());
    }
    bool visible() const override { return handle() && (GetWindowLongPtrW(handle(), GWL_STYLE) & WS_VISIBLE); }
    platform::NativeWindow nativeHandle() const override { return reinterpret_cast<platform::NativeWindow>(handle()); }

    void setTitle(const std::string& text) override
    {
        title = text;
        if (handle())
            SetWindowTextW(handle(), platform::win32::wideFromUtf8(title).c_str());
    }
    void setBorderStyle(BorderStyle style) override
    {
        const PixelRect kept = bounds();
        border = style;
        if (!handle())
            return;
        const LONG_PTR state = GetWindowLongPtrW(handle(), GWL_STYLE) & (WS_VISIBLE | WS_CHILD);
        SetWindowLongPtrW(handle(), GWL_STYLE, static_cast<LONG_PTR>(styleFor(border)) | state);
        place(kept);
    }
    void setIcon(const RgbSurface& picture) override
    {
        iconPicture = picture;
        if (handle())
            showIcon();
    }

    // The window's corner (in its parent's client pixels once it is a child) and the client size.
    PixelRect bounds() const override
    {
        if (!handle())
            return area;
        RECT outer{}, client{};
        GetWindowRect(handle(), &outer);
        GetClientRect(handle(), &client);
        if (HWND parent = GetAncestor(handle(), GA_PARENT); parent && parent != GetDesktopWindow())
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&outer), 2);
        return {outer.left, outer.top, client.right, client.bottom};
    }
    PixelRect outerBounds() const override
    {
        RECT outer = outerRect(area);
        if (handle())
            GetWindowRect(handle(), &outer);
        return {outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
    }
    void place(const PixelRect& wanted) override
    {
        area = wanted;
        if (!handle())
            return;
        const RECT outer = outerRect(area);
        SetWindowPos(handle(), nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    void setPointer(MousePointer) override { refreshCursor(); }
    void takeFocus() override
    {
        if (handle())
            SetForegroundWindow(handle());
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CLOSE:
            // The close box, Alt+F4 and other programs' close requests: the form decides.
            owner.closeRequested();
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && handle())
                sized(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETFOCUS:
            // The system gives an activated window the focus itself; the form passes it on.
            owner.windowFocused();
            return 0;
        case WM_NEXTDLGCTL:
            // Sent for Tab by the message loop; a window handle instead of a direction is not.
            if (!LOWORD(lParam)) {
                owner.tabPressed(wParam != 0);
                selectTextOfFocus();
            }
            return 0;
        case WM_DPICHANGED:
            // Moved to a monitor of another scaling (per-monitor aware only): laid out again at
            // the new dpi, in the rectangle the system suggests.
            rescale(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam)
                endRequested();
            return 0;
        default:
            return defaultHandling(message, wParam, lParam);
        }
    }

    void paintBackground(HDC dc, int, int) override { drawBackground(dc, owner); }

    void destroying() override
    {
        area = bounds();
        dying = true;
        struct EndOfDying {
            bool& flag;
            ~EndOfDying() { flag = false; }
        } endOfDying{dying};
        formWindowDestroyed(nativeHandle());
    }

private:
    // Text reached by Tab is chosen whole, so that what is typed replaces it, as a dialog does.
    static void selectTextOfFocus()
    {
        HWND focused = GetFocus();
        if (focused && (SendMessageW(focused, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
            SendMessageW(focused, EM_SETSEL, 0, -1);
    }

    // The outer rectangle whose client area is the area's size, at the area's corner.
    RECT outerRect(const PixelRect& inner) const
    {
        RECT outer{0, 0, inner.width, inner.height};
        platform::win32::adjustWindowRect(outer, styleFor(border), 0, static_cast<UINT>(Screen::dotsPerInch()));
        return {inner.x, inner.y, inner.x + outer.right - outer.left, inner.y + outer.bottom - outer.top};
    }

    // The form and its controls at the new dpi; the window in the suggested rectangle, or, when
    // there is none, in its old corner at the size the form's twips now take.
    void rescale(UINT dpi, const RECT* suggested)
    {
        if (!dpi)
            return;
        const double widthTwips = owner.width(), heightTwips = owner.height();
        const PixelRect corner = bounds();
        owner.resolutionChanged(dpi);
        showIcon();
        if (suggested) {
            SetWindowPos(handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            // Around the client area, the frame as the system draws it now, which may not be the
            // one for the new dpi (Wine draws every caption at the system's).
            const double twipsPerPixel = Screen::twipsPerPixelX();
            RECT outer{}, client{};
            GetWindowRect(handle(), &outer);
            GetClientRect(handle(), &client);
            const int width = static_cast<int>(std::lround(widthTwips / twipsPerPixel));
            const int height = static_cast<int>(std::lround(heightTwips / twipsPerPixel));
            SetWindowPos(handle(), nullptr, corner.x, corner.y, width + (outer.right - outer.left) - client.right,
                         height + (outer.bottom - outer.top) - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        area = bounds();
        InvalidateRect(handle(), nullptr, TRUE);
    }

    // The title bar's and the task list's icons at their sizes for the dpi, scaled smoothly.
    void showIcon()
    {
        if (iconPicture.empty())
            return;
        const double scale = Screen::dotsPerInch() / 96.0;
        auto sized = [&](int side) {
            const int pixels = std::max(1, static_cast<int>(std::lround(side * scale)));
            RgbSurface picture(pixels, pixels);
            picture.smoothStretchFrom(iconPicture, 0, 0, pixels, pixels, 0, 0, iconPicture.width(), iconPicture.height());
            return iconFrom(picture);
        };
        // The window lets go of the old icons before they are destroyed.
        OwnedIcon big = sized(32), small = sized(16);
        SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
        SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
        bigIcon = std::move(big);
        smallIcon = std::move(small);
    }

    void sized(int width, int height)
    {
        if (width == clientSize.cx && height == clientSize.cy)
            return;
        clientSize = {width, height};
        owner.windowResized();
    }

    Form& owner;
    std::string title;
    BorderStyle border = BorderStyle::Sizable;
    PixelRect area;
    SIZE clientSize{};
    RgbSurface iconPicture;
    OwnedIcon bigIcon, smallIcon;
    bool dying = false;
};

}  // namespace
}  // namespace forms::win32

namespace forms::backend {

std::unique_ptr<FormPeer> makeForm(Form& owner)
{
    return std::make_unique<win32::FormWindow>(owner);
}

}  // namespace forms::backend

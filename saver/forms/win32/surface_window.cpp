#include "saver/forms/win32/surface_window.h"

#include "saver/forms/win32/drawing.h"

#include <cwchar>

namespace forms::win32 {
namespace {

constexpr const wchar_t* formClass = L"HoarveilForm";
constexpr const wchar_t* controlClass = L"HoarveilControl";

// Both classes send every message to the window's SurfaceWindow.
const wchar_t* classFor(bool form, WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSW windowClass{};
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpfnWndProc = procedure;
        windowClass.lpszClassName = formClass;
        RegisterClassW(&windowClass);
        windowClass.lpszClassName = controlClass;
        RegisterClassW(&windowClass);
        return true;
    }();
    (void)registered;
    return form ? formClass : controlClass;
}

}  // namespace

HWND SurfaceWindow::formWindowOf(HWND window)
{
    HWND top = GetAncestor(window, GA_ROOT);
    wchar_t name[16] = {};
    return top && GetClassNameW(top, name, 16) && std::wcscmp(name, formClass) == 0 ? top : nullptr;
}

SurfaceWindow::SurfaceWindow(Canvas& canvas, Element* own) : canvas(canvas), pointer(canvas, own) {}

SurfaceWindow::~SurfaceWindow()
{
    // Whatever the system still sends the window while it goes, this object can't answer.
    if (window)
        SetWindowLongPtrW(window.get(), GWLP_USERDATA, 0);
}

void SurfaceWindow::createWindow(Kind kind, const std::wstring& title, DWORD style, DWORD exStyle, const RECT& outer,
                                 HWND parent)
{
    CreateWindowExW(exStyle, classFor(kind == Kind::Form, procedure), title.c_str(), style, outer.left, outer.top,
                    outer.right - outer.left, outer.bottom - outer.top, parent, nullptr, GetModuleHandleW(nullptr),
                    this);  // the handle is kept at WM_NCCREATE
}

void SurfaceWindow::destroyWindow()
{
    window.reset();
}

void SurfaceWindow::repaint() const
{
    if (!window)
        return;
    InvalidateRect(window.get(), nullptr, FALSE);
    UpdateWindow(window.get());
}

LRESULT CALLBACK SurfaceWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SurfaceWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window.reset(window);
    }
    auto* self = reinterpret_cast<SurfaceWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT SurfaceWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return defaultHandling(message, wParam, lParam);
}

LRESULT SurfaceWindow::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND own = window.get();
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole area
    case WM_PAINT:
        paint();
        return 0;
    case WM_DESTROY:
        // The controls' windows go first, each keeping what it showed.
        canvas.unrealizeElements();
        destroying();
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SETFOCUS && canvas.focusEntered(reinterpret_cast<HWND>(lParam)))
            return 0;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (HBRUSH brush = canvas.controlColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    default:
        if (pointer.handle(own, message, wParam, lParam))
            return message == WM_SETCURSOR ? TRUE : 0;
        break;
    }
    return DefWindowProcW(own, message, wParam, lParam);
}

void SurfaceWindow::paint()
{
    PaintScope scope(window.get());
    RECT client{};
    GetClientRect(window.get(), &client);
    BufferedPaint buffer(scope.context(), client.right, client.bottom);
    paintBackground(buffer.context(), client.right, client.bottom);
    canvas.paintElements(buffer.context());
}

}  // namespace forms::win32

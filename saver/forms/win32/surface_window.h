#pragma once
// A native window that shows a container: a form's top-level window or a user control's child
// window. It paints the container's background and the windowless controls over it in one
// buffered pass, and hands the pointer to the control under it.
#include "saver/forms/win32/element.h"
#include "saver/forms/win32/handles.h"
#include "saver/forms/win32/pointer_input.h"

#include <string>

namespace forms::win32 {

class SurfaceWindow {
public:
    // own: the control the window itself is, null for a form.
    SurfaceWindow(Canvas& canvas, Element* own);
    virtual ~SurfaceWindow();
    SurfaceWindow(const SurfaceWindow&) = delete;
    SurfaceWindow& operator=(const SurfaceWindow&) = delete;

    HWND handle() const { return window.get(); }
    // The form window the window is in, null when it is in none of the program's forms.
    static HWND formWindowOf(HWND window);
    // Paints everything now.
    void repaint() const;

protected:
    enum class Kind { Form, Control };
    // The window at the outer rectangle (in the parent's client pixels, or the screen's); no
    // handle when the system refused it.
    void createWindow(Kind kind, const std::wstring& title, DWORD style, DWORD exStyle, const RECT& outer,
                      HWND parent);
    void destroyWindow();

    // The window's messages; what a kind does not answer goes to defaultHandling.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void paintBackground(HDC dc, int width, int height) = 0;
    // WM_DESTROY: the window and its children still exist.
    virtual void destroying() {}

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    Canvas& canvas;
    PointerInput pointer;
    OwnedWindow window;
};

}  // namespace forms::win32

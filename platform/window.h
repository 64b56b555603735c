#pragma once
// Windowing for the renderer, shaped like the Win32 calls it stands for, so that a Windows
// backend is a thin wrapper and the renderer's host reads like the program it is: a window
// class with a window procedure, a message queue, a quit request, a cursor display count.
#include <cstdint>

namespace platform {

struct Window;  // opaque; one per created window
using WindowHandle = Window*;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using WindowProc = LRESULT (*)(WindowHandle, unsigned message, WPARAM, LPARAM);

// Message numbers and codes with their Windows values.
enum : unsigned {
    WM_SIZE = 0x0005,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_KEYDOWN = 0x0100,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSCOMMAND = 0x0112,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
};
enum : WPARAM { SC_CLOSE = 0xF060 };
enum : WPARAM { VK_ESCAPE = 0x1B, VK_F4 = 0x73 };

struct Message {
    WindowHandle window = nullptr;
    unsigned message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// RegisterClass / UnregisterClass: a class name bound to a window procedure.
bool registerWindowClass(const char* className, WindowProc procedure);
void unregisterWindowClass(const char* className);

// CreateWindowEx with WS_POPUP: a borderless top-level window whose class name and title are
// as given. Its client area is the virtual display of changeDisplaySettings. Null on failure.
WindowHandle createPopupWindow(const char* className, const char* windowName, int x, int y, int width, int height);
void showWindow(WindowHandle window);
void updateWindow(WindowHandle window);
void setFocus(WindowHandle window);
// GetFocus: the window that receives keyboard input, or null.
WindowHandle focusWindow();
void destroyWindow(WindowHandle window);
Rect clientRect(WindowHandle window);
// BeginPaint + EndPaint: the window counts as painted, so no further WM_PAINT is due for it.
void beginEndPaint(WindowHandle window);

// EnumDisplaySettings(ENUM_CURRENT_SETTINGS) + ChangeDisplaySettings(CDS_FULLSCREEN).
// The display is virtual: windows get a client area of this size, shown full screen with the
// aspect kept, while the monitor keeps its own mode.
enum class DisplayChange { Successful, Failed, CurrentUnreadable };
DisplayChange changeDisplaySettings(int width, int height);
// ChangeDisplaySettings(nullptr, 0): back to the registry's mode.
void restoreDisplaySettings();

// ShowCursor: a per-process display count; the cursor is hidden while it is below 0.
int showCursor(bool show);

// PeekMessage(PM_REMOVE) over every window of the process, TranslateMessage, DispatchMessage.
bool peekMessage(Message& message);
void translateMessage(const Message& message);
LRESULT dispatchMessage(const Message& message);
// PostQuitMessage: WM_QUIT with the exit code comes out of the queue once it is empty.
void postQuitMessage(int exitCode);
LRESULT defWindowProc(WindowHandle window, unsigned message, WPARAM wParam, LPARAM lParam);

}  // namespace platform

// Renderer windows on Win32: each call is the one its name says. The platform's headers come
// before <windows.h>, whose macros carry the same names as their message constants.
#include "platform/window.h"

#include <windows.h>

#include <map>

#include "platform/trace.h"

namespace platform {
namespace {

HWND hwndOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle handleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// The window procedure of each registered class, found again through the window's class atom.
std::map<ATOM, WindowProc>& classProcedures()
{
    static std::map<ATOM, WindowProc> procedures;
    return procedures;
}

LRESULT CALLBACK classWindowProc(HWND window, UINT message, ::WPARAM wParam, ::LPARAM lParam)
{
    const auto& procedures = classProcedures();
    const auto found = procedures.find(static_cast<ATOM>(GetClassWord(window, GCW_ATOM)));
    if (found == procedures.end())
        return DefWindowProcA(window, message, wParam, lParam);
    return found->second(handleOf(window), message, wParam, lParam);
}

HINSTANCE moduleInstance() { return GetModuleHandleA(nullptr); }

}  // namespace

bool registerWindowClass(const char* className, WindowProc procedure)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = classWindowProc;
    windowClass.hInstance = moduleInstance();
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    const ATOM atom = RegisterClassA(&windowClass);
    if (atom)
        classProcedures()[atom] = procedure;
    return atom != 0;
}

void unregisterWindowClass(const char* className)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    const ATOM atom = static_cast<ATOM>(GetClassInfoExA(moduleInstance(), className, &windowClass));
    if (UnregisterClassA(className, moduleInstance()) && atom)
        classProcedures().erase(atom);
}

WindowHandle createPopupWindow(const char* className, const char* windowName, int x, int y, int width, int height)
{
    constexpr DWORD style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    RECT area{0, 0, width, height};
    AdjustWindowRect(&area, style, FALSE);
    return handleOf(CreateWindowExA(0, className, windowName, style, x, y, area.right - area.left,
                                    area.bottom - area.top, nullptr, nullptr, moduleInstance(), nullptr));
}

void showWindow(WindowHandle window) { ShowWindow(hwndOf(window), SW_SHOWNORMAL); }
void updateWindow(WindowHandle window) { UpdateWindow(hwndOf(window)); }
void setFocus(WindowHandle window) { SetFocus(hwndOf(window)); }
WindowHandle focusWindow() { return handleOf(GetFocus()); }
void destroyWindow(WindowHandle window) { DestroyWindow(hwndOf(window)); }

void beginEndPaint(WindowHandle window)
{
    PAINTSTRUCT paint{};
    BeginPaint(hwndOf(window), &paint);
    EndPaint(hwndOf(window), &paint);
}

Rect clientRect(WindowHandle window)
{
    RECT client{};
    GetClientRect(hwndOf(window), &client);
    return {client.left, client.top, client.right, client.bottom};
}

DisplayChange changeDisplaySettings(int width, int height)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        return DisplayChange::CurrentUnreadable;
    // Depth, refresh rate and the set of valid fields stay those of the current mode.
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL ? DisplayChange::Successful
                                                                                   : DisplayChange::Failed;
}

void restoreDisplaySettings() { ChangeDisplaySettingsA(nullptr, 0); }

int showCursor(bool show)
{
    const int count = ShowCursor(show ? TRUE : FALSE);
    // The pointer appears or goes only where the count crosses from 0 to -1 or back.
    if (count == (show ? 0 : -1))
        trace(show ? "cursor shown" : "cursor hidden");
    return count;
}

bool peekMessage(Message& message)
{
    MSG fetched{};
    if (!PeekMessageA(&fetched, nullptr, 0, 0, PM_REMOVE))
        return false;
    message = {handleOf(fetched.hwnd), fetched.message, fetched.wParam, fetched.lParam};
    return true;
}

namespace {

// The message as the system fetched it: its time and pointer position are the last fetched
// message's, which is the one being handed on.
MSG systemMessage(const Message& message)
{
    MSG full{};
    full.hwnd = hwndOf(message.window);
    full.message = message.message;
    full.wParam = message.wParam;
    full.lParam = message.lParam;
    full.time = static_cast<DWORD>(GetMessageTime());
    const DWORD position = GetMessagePos();
    full.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    return full;
}

}  // namespace

void translateMessage(const Message& message)
{
    const MSG full = systemMessage(message);
    TranslateMessage(&full);
}

LRESULT dispatchMessage(const Message& message)
{
    const MSG full = systemMessage(message);
    return DispatchMessageA(&full);
}

void postQuitMessage(int exitCode) { PostQuitMessage(exitCode); }

LRESULT defWindowProc(WindowHandle window, unsigned message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwndOf(window), message, wParam, lParam);
}

}  // namespace platform

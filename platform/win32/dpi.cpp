#include "platform/win32/dpi.h"

namespace platform::win32 {
namespace {

// The declarations of the calls, as Windows 10's headers have them.
using DpiContext = HANDLE;  // DPI_AWARENESS_CONTEXT
using GetThreadDpiAwarenessContextCall = DpiContext(WINAPI*)();
using SetThreadDpiAwarenessContextCall = DpiContext(WINAPI*)(DpiContext);
using GetWindowDpiAwarenessContextCall = DpiContext(WINAPI*)(HWND);
using GetAwarenessFromDpiAwarenessContextCall = int(WINAPI*)(DpiContext);
using SetThreadDpiHostingBehaviorCall = int(WINAPI*)(int);
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

constexpr int perMonitorAwareness = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
constexpr int mixedHosting = 1;         // DPI_HOSTING_BEHAVIOR_MIXED
constexpr int effectiveDpi = 0;         // MDT_EFFECTIVE_DPI

template <class Call>
Call userCall(const char* name)
{
    HMODULE user = GetModuleHandleW(L"user32.dll");
    return user ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

GetDpiForMonitorCall getDpiForMonitor()
{
    // shcore is not loaded by every program; it stays loaded once asked for.
    static const GetDpiForMonitorCall call = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorCall>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    return call;
}

}  // namespace

bool perMonitorAware()
{
    static const auto threadContext = userCall<GetThreadDpiAwarenessContextCall>("GetThreadDpiAwarenessContext");
    static const auto awarenessOf =
        userCall<GetAwarenessFromDpiAwarenessContextCall>("GetAwarenessFromDpiAwarenessContext");
    return threadContext && awarenessOf && awarenessOf(threadContext()) == perMonitorAwareness;
}

UINT windowDpi(HWND window)
{
    static const auto dpiForWindow = userCall<GetDpiForWindowCall>("GetDpiForWindow");
    return window && dpiForWindow && perMonitorAware() ? dpiForWindow(window) : 0;
}

UINT primaryMonitorDpi()
{
    const GetDpiForMonitorCall dpiForMonitor = getDpiForMonitor();
    UINT x = 0, y = 0;
    if (!dpiForMonitor || !perMonitorAware() ||
        FAILED(dpiForMonitor(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), effectiveDpi, &x, &y)))
        return 0;
    return x;
}

void adjustWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi)
{
    static const auto forDpi = userCall<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    if (dpi && forDpi && perMonitorAware())
        forDpi(&rect, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void adoptDpiAwarenessOf(HWND host)
{
    static const auto windowContext = userCall<GetWindowDpiAwarenessContextCall>("GetWindowDpiAwarenessContext");
    static const auto setThreadContext = userCall<SetThreadDpiAwarenessContextCall>("SetThreadDpiAwarenessContext");
    static const auto setHosting = userCall<SetThreadDpiHostingBehaviorCall>("SetThreadDpiHostingBehavior");
    if (setHosting)
        setHosting(mixedHosting);
    if (windowContext && setThreadContext && IsWindow(host))
        if (DpiContext context = windowContext(host))
            setThreadContext(context);
}

}  // namespace platform::win32

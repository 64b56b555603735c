// A host for the saver's preview, as the display properties make one: a window of another
// program, whose handle the saver is given after /p.
//   preview_host <width> <height> <file>   a borderless window titled "Preview host" at (50, 60)
//                                          with that inner size; its HWND, in decimal, into the
//                                          file; ends when the window is closed
//   preview_host <width> <height> <file> <awareness>
//                                          the same window made by a thread of that DPI awareness:
//                                          "unaware", "system" or "permonitor" (v2)
//   preview_host children <file>           what that window holds: a line per child window,
//                                          "title<TAB>width<TAB>height<TAB>visible"
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK listChild(HWND child, LPARAM file)
{
    char title[256] = "";
    GetWindowTextA(child, title, sizeof title);
    RECT client{};
    GetClientRect(child, &client);
    *reinterpret_cast<std::ofstream*>(file) << title << '\t' << client.right << '\t' << client.bottom << '\t'
                                            << (IsWindowVisible(child) ? 1 : 0) << '\n';
    return TRUE;
}

// SetThreadDpiAwarenessContext, looked up at run time: Windows 10 1607 and later have it.
bool setThreadAwareness(const std::string& awareness)
{
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_UNAWARE, _SYSTEM_AWARE, _PER_MONITOR_AWARE_V2 (before Windows 10 1703,
    // and in Wine 8, only _PER_MONITOR_AWARE).
    if (!set)
        return false;
    if (awareness != "permonitor")
        return set(reinterpret_cast<HANDLE>(awareness == "unaware" ? -1 : -2)) != nullptr;
    return set(reinterpret_cast<HANDLE>(-4)) != nullptr || set(reinterpret_cast<HANDLE>(-3)) != nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "children") {
        HWND host = FindWindowA(nullptr, "Preview host");
        if (!host)
            return 1;
        std::ofstream file(argv[2], std::ios::binary);
        EnumChildWindows(host, listChild, reinterpret_cast<LPARAM>(&file));
        return 0;
    }
    if (argc != 4 && argc != 5)
        return 2;
    if (argc == 5 && !setThreadAwareness(argv[4]))
        return 3;
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = hostProcedure;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    hostClass.lpszClassName = "PreviewHost";
    if (!RegisterClassA(&hostClass))
        return 1;
    HWND host = CreateWindowExA(0, "PreviewHost", "Preview host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 60,
                                std::atoi(argv[1]), std::atoi(argv[2]), nullptr, nullptr, hostClass.hInstance, nullptr);
    if (!host)
        return 1;
    std::ofstream(argv[3]) << reinterpret_cast<std::uintptr_t>(host);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

// What Windows sends a per-monitor aware window moved to a monitor of another scaling:
// WM_DPICHANGED with the new dpi, posted to the top-level window with the title given. Posted
// from another process it carries no suggested rectangle (a pointer would not cross), so the
// window keeps its corner. Exit code 0 when it was posted, 1 when there is no such window.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    HWND window = argc == 3 ? FindWindowA(nullptr, argv[1]) : nullptr;
    const int dpi = argc == 3 ? std::atoi(argv[2]) : 0;
    return window && dpi > 0 && PostMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0) ? 0 : 1;
}

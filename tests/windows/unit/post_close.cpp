// Another Windows program's close request: WM_CLOSE posted to the top-level window with the
// title given. Exit code 0 when it was posted, 1 when there is no such window.
#include <windows.h>

int main(int argc, char** argv)
{
    HWND window = argc == 2 ? FindWindowA(nullptr, argv[1]) : nullptr;
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

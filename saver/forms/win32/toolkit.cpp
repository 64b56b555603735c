// The forms runtime's toolkit on Win32: the system's own windows, messages and GDI, with no
// toolkit in between.
//
// A form is a top-level window of the class "HoarveilForm", a user control a child window of
// the class "HoarveilControl" (surface_window.h: both paint their container's RGB image with
// SetDIBitsToDevice and hand the pointer to the control under it), a combo box the system's
// "COMBOBOX". Labels, images, shapes and picture boxes have no windows: they are drawn into
// the window of their nearest container that has one, in the order they were adopted
// (element.h). Child windows exist only while their form's window does. Every text goes
// through the wide-character calls, so Japanese shows under any system code page.
//
// This file is the process: the message loop, the end request and the timers, which tick on a
// hidden message-only window, so they also run inside the system's modal loops (a file
// chooser, a menu).
#include "platform/end_request.h"
#include "saver/forms/backend.h"
#include "saver/forms/runtime.h"
#include "saver/forms/timer.h"
#include "saver/forms/win32/handles.h"
#include "saver/forms/win32/surface_window.h"

#include <map>

namespace forms::backend {
namespace {

// The running timers by the id SetTimer knows each under; an id is never used twice, so a
// stopped timer's late WM_TIMER finds nothing.
struct Timers {
    win32::OwnedWindow window;
    std::map<UINT_PTR, Timer*> running;
    UINT_PTR nextId = 1;
};

LRESULT CALLBACK timerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

Timers& timers()
{
    static Timers record = [] {
        WNDCLASSW timerClass{};
        timerClass.lpfnWndProc = timerProcedure;
        timerClass.hInstance = GetModuleHandleW(nullptr);
        timerClass.lpszClassName = L"HoarveilTimers";
        RegisterClassW(&timerClass);
        Timers made;
        made.window.reset(CreateWindowExW(0, timerClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          timerClass.hInstance, nullptr));
        return made;
    }();
    return record;
}

LRESULT CALLBACK timerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER)
        return DefWindowProcW(window, message, wParam, lParam);
    const auto& running = timers().running;
    const auto due = running.find(wParam);
    // The system's periodic timer is due one interval after the last was due; the tick may
    // stop, change or destroy its timer.
    if (due != running.end())
        due->second->tick();
    return 0;
}

}  // namespace

bool start()
{
    timers();
    return GetDesktopWindow() != nullptr;
}

void waitForEvents()
{
    if (platform::endRequested())
        endRequested();
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // WM_QUIT is the thread's request to end, posted by the system or another program.
        if (message.message == WM_QUIT)
            endRequested();
        // Tab in a form moves its focus, as a dialog's message loop does; the form decides where.
        if (message.message == WM_KEYDOWN && message.wParam == VK_TAB)
            if (HWND form = win32::SurfaceWindow::formWindowOf(message.hwnd)) {
                SendMessageW(form, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, FALSE);
                continue;
            }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void flush()
{
    GdiFlush();
}

void startTimer(Timer& timer, int milliseconds)
{
    Timers& record = timers();
    const UINT_PTR id = record.nextId++;
    record.running[id] = &timer;
    SetTimer(record.window.get(), id, static_cast<UINT>(milliseconds), nullptr);
}

void stopTimer(Timer& timer)
{
    Timers& record = timers();
    for (auto running = record.running.begin(); running != record.running.end();) {
        if (running->second == &timer) {
            KillTimer(record.window.get(), running->first);
            running = record.running.erase(running);
        } else {
            ++running;
        }
    }
}

}  // namespace forms::backend

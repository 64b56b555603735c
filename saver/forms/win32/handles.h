#pragma once
// Owners of the system's handles: each closes its handle the one right way, exactly once.
#include "saver/forms/backend.h"  // the platform's headers come before <windows.h>

#include <windows.h>

#include <utility>

namespace forms::win32 {

// A handle with the call that gives it back. Moving hands the handle on.
template <class Handle, class Release>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : held(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : held(std::exchange(other.held, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other) {
            reset();
            held = std::exchange(other.held, nullptr);
        }
        return *this;
    }

    Handle get() const { return held; }
    explicit operator bool() const { return held != nullptr; }
    void reset(Handle handle = nullptr)
    {
        if (held)
            Release{}(held);
        held = handle;
    }
    // The system has closed the handle itself (a window destroyed with its parent).
    Handle release() { return std::exchange(held, nullptr); }

private:
    Handle held = nullptr;
};

struct DestroyWindowCall {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct DeleteObjectCall {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconCall {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DeleteDcCall {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

using OwnedWindow = Owned<HWND, DestroyWindowCall>;
using OwnedFont = Owned<HFONT, DeleteObjectCall>;
using OwnedBitmap = Owned<HBITMAP, DeleteObjectCall>;
using OwnedBrush = Owned<HBRUSH, DeleteObjectCall>;
using OwnedIcon = Owned<HICON, DestroyIconCall>;  // cursors made by CreateIconIndirect, too
using OwnedMemoryDc = Owned<HDC, DeleteDcCall>;

// BeginPaint ... EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window(window) { dc = BeginPaint(window, &paint); }
    ~PaintScope() { EndPaint(window, &paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC context() const { return dc; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

// GetDC ... ReleaseDC; the screen's when the window is null.
class WindowDc {
public:
    explicit WindowDc(HWND window = nullptr) : window(window), dc(GetDC(window)) {}
    ~WindowDc()
    {
        if (dc)
            ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC context() const { return dc; }

private:
    HWND window;
    HDC dc;
};

// SaveDC ... RestoreDC: clipping and selections made in between are undone.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc(dc), saved(SaveDC(dc)) {}
    ~SavedDcState() { RestoreDC(dc, saved); }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc;
    int saved;
};

// SelectObject, and the previous object back at the end.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc, previous); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

}  // namespace forms::win32

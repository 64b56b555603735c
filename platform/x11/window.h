#pragma once
// What the X11 windowing and GLX code share about one renderer window.
#include <X11/Xlib.h>

#include <string>

#include "platform/window.h"

namespace platform {

struct Window {
    std::string className;
    WindowProc procedure = nullptr;
    // The full-screen top-level window: black, override-redirect, named, keyboard-grabbed.
    ::Window frame = 0;
    // The child that shows the frames: the virtual display scaled to the screen, centred.
    ::Window view = 0;
    int viewX = 0, viewY = 0, viewWidth = 0, viewHeight = 0;
    // Size of the virtual display the program draws for.
    int width = 0, height = 0;
    bool destroyedByOthers = false;
};

}  // namespace platform

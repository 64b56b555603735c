#pragma once
// The OpenGL side of a window, shaped like WGL: a pixel format set once on the window, a
// rendering context made current on it, a buffer swap.
#include "platform/window.h"

namespace platform {

struct PixelFormatRequest {
    int colourBits = 16;  // at least this much colour
    int depthBits = 16;   // and depth
    bool doubleBuffer = true;
};

struct GlContext;  // opaque
using GlContextHandle = GlContext*;

// ChoosePixelFormat + SetPixelFormat. False when no format fits.
bool setPixelFormat(WindowHandle window, const PixelFormatRequest& request);
// wglCreateContext; null on failure.
GlContextHandle createGlContext(WindowHandle window);
// wglMakeCurrent; a null window and context release the current one.
bool makeCurrent(WindowHandle window, GlContextHandle context);
void deleteGlContext(GlContextHandle context);
// SwapBuffers: shows the frame drawn for the virtual display, scaled to the screen.
void swapBuffers(WindowHandle window);

}  // namespace platform

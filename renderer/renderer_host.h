#pragma once
// The renderer's host: its window, the display mode, the OpenGL context and the message loop
// that draws a frame whenever no message waits.
#include "platform/gl_context.h"
#include "platform/window.h"

struct HostState {
    platform::WindowHandle window = nullptr;
    platform::GlContextHandle glContext = nullptr;
    platform::Rect clientRect;
};

extern HostState host;

int runRenderer();
platform::WindowHandle createRendererWindow(const char* name, int width, int height);
// True when the context is current: nothing may call GL or GLU otherwise.
bool createGlContext(int width, int height);
void initRenderer(platform::WindowHandle window);
// The idle step: the frame clock ticks, a frame is drawn and shown.
void drawIdleFrame();
void destroyRenderer();

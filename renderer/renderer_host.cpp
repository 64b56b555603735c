#include "renderer/renderer_host.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/display_power.h"
#include "platform/trace.h"
#include "renderer/renderer_settings.h"
#include "renderer/scene_drawing.h"
#include "renderer/scene_state.h"
#include "renderer/snowfall.h"
#include "renderer/texture_loader.h"

HostState host;
SceneState scene;

using namespace platform;

namespace {

void switchDisplayMode()
{
    // A refused mode still lets start-up finish; the loop then ends at its first turn.
    if (changeDisplaySettings(RendererSettings::width, RendererSettings::height) == DisplayChange::Failed)
        postQuitMessage(0);
}

bool setupPixelFormat(WindowHandle window)
{
    PixelFormatRequest request;
    request.colourBits = RendererSettings::colourBits;
    request.depthBits = RendererSettings::colourBits;
    request.doubleBuffer = true;
    return setPixelFormat(window, request);
}

void resizeScene(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 0.1f, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

LRESULT rendererWindowProc(WindowHandle window, unsigned message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            postQuitMessage(0);
        return 0;
    case WM_CLOSE:
        postQuitMessage(0);
        return 0;
    case WM_PAINT:  // frames are drawn in the idle step
        beginEndPaint(window);
        return 0;
    case WM_SYSCOMMAND:  // Alt+F4, the system's own screen saver, window-menu commands: all dropped
    case WM_SIZE:        // always full screen
        return 0;
    default:
        return defWindowProc(window, message, wParam, lParam);
    }
}

int runMessageLoop()
{
    Message message;
    bool firstFrame = true;
    for (;;) {
        if (peekMessage(message)) {
            if (message.message == WM_QUIT)
                break;
            translateMessage(message);
            dispatchMessage(message);
        } else {
            drawIdleFrame();
            if (firstFrame) {
                trace("first frame");
                firstFrame = false;
            }
        }
    }
    destroyRenderer();
    scene.flakes.reset();
    return static_cast<int>(message.wParam);
}

}  // namespace

int runRenderer()
{
    trace("started");
    WindowHandle window = createRendererWindow(RendererSettings::windowName, RendererSettings::width,
                                               RendererSettings::height);
    if (!window)
        return 1;
    trace("window shown");
    holdOffSystemScreenSaver(true);
    initRenderer(window);
    return runMessageLoop();
}

WindowHandle createRendererWindow(const char* name, int width, int height)
{
    registerWindowClass(name, rendererWindowProc);
    switchDisplayMode();
    showCursor(false);
    WindowHandle window = createPopupWindow(name, name, 0, 0, width, height);
    if (!window)
        return nullptr;
    showWindow(window);
    updateWindow(window);
    setFocus(window);
    return window;
}

bool createGlContext(int width, int height)
{
    if (!setupPixelFormat(host.window))
        postQuitMessage(0);
    host.glContext = platform::createGlContext(host.window);
    // Without a current context nothing can be drawn, and GL and GLU calls may crash (GLU's
    // mipmap build does): end at the first turn of the loop without making any.
    if (!host.glContext || !makeCurrent(host.window, host.glContext)) {
        std::fprintf(stderr, "%s: no OpenGL context could be made current (has the X server GLX?)\n",
                     RendererSettings::windowName);
        postQuitMessage(0);
        return false;
    }
    resizeScene(width, height);
    return true;
}

void initRenderer(WindowHandle window)
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    host.window = window;
    host.clientRect = clientRect(window);
    if (!createGlContext(host.clientRect.right, host.clientRect.bottom))
        return;
    trace("context ready");
    loadSceneTextures();
    createFlakes();

    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glClearDepth(1.0);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, scene.flakeTexture);
}

void drawIdleFrame()
{
    advanceFrameClock();
    drawFrame();
    swapBuffers(host.window);
}

void destroyRenderer()
{
    if (host.glContext) {
        makeCurrent(nullptr, nullptr);
        deleteGlContext(host.glContext);
        host.glContext = nullptr;
    }
    if (host.window) {
        destroyWindow(host.window);
        host.window = nullptr;
    }
    restoreDisplaySettings();
    showCursor(true);
    holdOffSystemScreenSaver(false);
    unregisterWindowClass(RendererSettings::windowName);
}


// The OpenGL side of a Win32 window: pixel format, WGL context, buffer swap.
#include "platform/gl_context.h"

#include <windows.h>

#include "platform/internal/extension_names.h"
#include "platform/trace.h"

namespace platform {

// A rendering context and the device context it draws through, obtained once and kept for the
// context's life.
struct GlContext {
    HGLRC context = nullptr;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    bool swapIntervalAsked = false;
};

namespace {

HWND hwndOf(WindowHandle window) { return reinterpret_cast<HWND>(window); }

GlContext*& currentContext()
{
    static GlContext* current = nullptr;
    return current;
}

// One frame per vertical retrace where the driver can wait for it: SwapBuffers then paces the
// frame loop. The entry point is the current context's, so this runs once it is current.
void requestSwapInterval(HDC deviceContext)
{
    using ExtensionsString = const char*(WINAPI*)(HDC);
    using SwapInterval = BOOL(WINAPI*)(int);
    const char* extensions = nullptr;
    if (auto arb = reinterpret_cast<ExtensionsString>(
            reinterpret_cast<void*>(wglGetProcAddress("wglGetExtensionsStringARB"))))
        extensions = arb(deviceContext);
    else if (auto ext = reinterpret_cast<const char*(WINAPI*)()>(
                 reinterpret_cast<void*>(wglGetProcAddress("wglGetExtensionsStringEXT"))))
        extensions = ext();
    auto set = internal::hasExtension(extensions, "WGL_EXT_swap_control")
                   ? reinterpret_cast<SwapInterval>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")))
                   : nullptr;
    trace(!set ? "swap interval: not offered" : set(1) ? "swap interval 1" : "swap interval refused");
}

}  // namespace

bool setPixelFormat(WindowHandle window, const PixelFormatRequest& request)
{
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (request.doubleBuffer ? PFD_DOUBLEBUFFER : 0);
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(request.colourBits);
    format.cDepthBits = static_cast<BYTE>(request.depthBits);
    format.iLayerType = PFD_MAIN_PLANE;
    // The format belongs to the window, whichever of its device contexts sets it.
    HDC deviceContext = GetDC(hwndOf(window));
    if (!deviceContext)
        return false;
    const int index = ChoosePixelFormat(deviceContext, &format);
    const bool set = index != 0 && SetPixelFormat(deviceContext, index, &format);
    ReleaseDC(hwndOf(window), deviceContext);
    return set;
}

GlContextHandle createGlContext(WindowHandle window)
{
    HDC deviceContext = GetDC(hwndOf(window));
    if (!deviceContext)
        return nullptr;
    HGLRC context = wglCreateContext(deviceContext);
    if (!context) {
        ReleaseDC(hwndOf(window), deviceContext);
        return nullptr;
    }
    return new GlContext{context, hwndOf(window), deviceContext};
}

bool makeCurrent(WindowHandle window, GlContextHandle context)
{
    if (!window || !context) {
        currentContext() = nullptr;
        return wglMakeCurrent(nullptr, nullptr);
    }
    if (!wglMakeCurrent(context->deviceContext, context->context))
        return false;
    currentContext() = context;
    if (!context->swapIntervalAsked) {
        context->swapIntervalAsked = true;
        requestSwapInterval(context->deviceContext);
    }
    return true;
}

void deleteGlContext(GlContextHandle context)
{
    if (!context)
        return;
    if (currentContext() == context) {
        wglMakeCurrent(nullptr, nullptr);
        currentContext() = nullptr;
    }
    wglDeleteContext(context->context);
    ReleaseDC(context->window, context->deviceContext);
    delete context;
}

void swapBuffers(WindowHandle window)
{
    GlContext* current = currentContext();
    if (current && current->window == hwndOf(window))
        SwapBuffers(current->deviceContext);
}

}  // namespace platform

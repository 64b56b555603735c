// OpenGL on X11 through GLX. The pixel format is a GLX visual; setting it creates the child
// window OpenGL draws into, sized to show the virtual display scaled with its aspect kept.
// Frames are drawn for the virtual display's size and scaled up at the swap.
#include "platform/gl_context.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstring>
#include <memory>

#include "platform/x11/connection.h"
#include "platform/x11/window.h"

namespace platform {

struct GlContext {
    GLXContext context = nullptr;
};

namespace {

using x11::connection;

struct VisualInfoDeleter {
    void operator()(XVisualInfo* info) const { XFree(info); }
};

// Upscaling pass state: a texture as large as the virtual display, made on first use.
struct Presenter {
    GLuint texture = 0;
    int textureWidth = 0, textureHeight = 0;
};

Presenter presenter;

int nextPowerOfTwo(int value)
{
    int result = 1;
    while (result < value)
        result *= 2;
    return result;
}

bool hasExtension(const char* extensions, const char* name)
{
    const std::size_t length = std::strlen(name);
    for (const char* at = extensions; at && (at = std::strstr(at, name)); at += length) {
        const bool startsWord = at == extensions || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

// Ask for one frame per vertical retrace where the driver can wait for it. Calling the entry
// point without the extension being advertised crashes some drivers, so look first.
void requestSwapInterval(Display* display, int screen, GLXDrawable drawable)
{
    const char* extensions = glXQueryExtensionsString(display, screen);
    if (hasExtension(extensions, "GLX_EXT_swap_control")) {
        using SwapIntervalEXT = void (*)(Display*, GLXDrawable, int);
        if (auto set = reinterpret_cast<SwapIntervalEXT>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT"))))
            set(display, drawable, 1);
    } else if (hasExtension(extensions, "GLX_MESA_swap_control")) {
        using SwapIntervalMESA = int (*)(unsigned);
        if (auto set = reinterpret_cast<SwapIntervalMESA>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA"))))
            set(1);
    }
}

bool isScaled(const Window& window) { return window.viewWidth != window.width || window.viewHeight != window.height; }

// The frame was drawn into the lower-left corner at the virtual display's size: copy it into
// a texture and draw that over the whole view. Every piece of state touched is restored.
void scaleToView(const Window& window)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    if (!presenter.texture) {
        presenter.textureWidth = nextPowerOfTwo(window.width);
        presenter.textureHeight = nextPowerOfTwo(window.height);
        glGenTextures(1, &presenter.texture);
        glBindTexture(GL_TEXTURE_2D, presenter.texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, presenter.textureWidth, presenter.textureHeight, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, presenter.texture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, window.width, window.height);

    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glViewport(0, 0, window.viewWidth, window.viewHeight);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    const float s = float(window.width) / presenter.textureWidth;
    const float t = float(window.height) / presenter.textureHeight;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(s, 0);
    glVertex2f(1, -1);
    glTexCoord2f(s, t);
    glVertex2f(1, 1);
    glTexCoord2f(0, t);
    glVertex2f(-1, 1);
    glEnd();

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

}  // namespace

bool setPixelFormat(WindowHandle window, const PixelFormatRequest& request)
{
    auto* c = connection();
    if (!c || !window || !window->frame || window->view)
        return false;
    const int channelBits = request.colourBits / 3;
    int attributes[] = {GLX_RGBA,
                        GLX_RED_SIZE, channelBits,
                        GLX_GREEN_SIZE, channelBits,
                        GLX_BLUE_SIZE, channelBits,
                        GLX_DEPTH_SIZE, request.depthBits,
                        request.doubleBuffer ? GLX_DOUBLEBUFFER : int(None),
                        None};
    std::unique_ptr<XVisualInfo, VisualInfoDeleter> visual(glXChooseVisual(c->display, c->screen, attributes));
    if (!visual)
        return false;

    XSetWindowAttributes viewAttributes{};
    viewAttributes.colormap = XCreateColormap(c->display, c->root, visual->visual, AllocNone);
    viewAttributes.border_pixel = 0;
    viewAttributes.event_mask = ExposureMask | StructureNotifyMask;
    window->view = XCreateWindow(c->display, window->frame, window->viewX, window->viewY, window->viewWidth,
                                 window->viewHeight, 0, visual->depth, InputOutput, visual->visual,
                                 CWColormap | CWBorderPixel | CWEventMask, &viewAttributes);
    XFreeColormap(c->display, viewAttributes.colormap);  // the window keeps its own reference
    if (!window->view)
        return false;
    XMapWindow(c->display, window->view);
    return true;
}

GlContextHandle createGlContext(WindowHandle window)
{
    auto* c = connection();
    if (!c || !window || !window->view)
        return nullptr;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(c->display, window->view, &attributes))
        return nullptr;
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int found = 0;
    std::unique_ptr<XVisualInfo, VisualInfoDeleter> visual(
        XGetVisualInfo(c->display, VisualIDMask, &wanted, &found));
    if (!visual)
        return nullptr;
    GLXContext context = glXCreateContext(c->display, visual.get(), nullptr, True);
    if (!context)
        return nullptr;
    return new GlContext{context};
}

bool makeCurrent(WindowHandle window, GlContextHandle context)
{
    auto* c = connection();
    if (!c)
        return false;
    if (!window || !context)
        return glXMakeCurrent(c->display, None, nullptr);
    if (!window->view || !glXMakeCurrent(c->display, window->view, context->context))
        return false;
    requestSwapInterval(c->display, c->screen, window->view);
    if (isScaled(*window)) {
        // The frame only needs the virtual display's corner: clear and draw nothing else.
        glScissor(0, 0, window->width, window->height);
        glEnable(GL_SCISSOR_TEST);
    }
    return true;
}

void deleteGlContext(GlContextHandle context)
{
    std::unique_ptr<GlContext> owned(context);
    auto* c = connection();
    if (!c || !owned)
        return;
    presenter = Presenter{};  // its texture ends with the context
    glXDestroyContext(c->display, owned->context);
}

void swapBuffers(WindowHandle window)
{
    auto* c = connection();
    if (!c || !window || !window->view)
        return;
    if (isScaled(*window))
        scaleToView(*window);
    glXSwapBuffers(c->display, window->view);
}

}  // namespace platform

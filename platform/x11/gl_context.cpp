// OpenGL on X11 through GLX. The pixel format is a GLX visual; setting it creates the child
// window that shows the frames, sized to hold the virtual display scaled with its aspect kept.
// When the screen matches the virtual display, OpenGL draws straight into that window.
// Otherwise it draws at the virtual display's size into an off-screen GLX pixmap, and each
// swap has the X server scale the frame into the window (XRender, bilinear), the way a
// monitor's scaler shows a lower mode: the program's drawing costs the same on any screen.
#include "platform/gl_context.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/extensions/Xrender.h>

#include <memory>
#include <optional>

#include "platform/internal/extension_names.h"
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
using VisualInfo = std::unique_ptr<XVisualInfo, VisualInfoDeleter>;

// The off-screen frame and the pictures the server scales it with.
class ScaledFrame {
public:
    ScaledFrame(Display* display, const XVisualInfo& visual, const Window& window) : display(display)
    {
        pixmap = XCreatePixmap(display, window.frame, window.width, window.height, visual.depth);
        glxPixmap = glXCreateGLXPixmap(display, const_cast<XVisualInfo*>(&visual), pixmap);
        XRenderPictFormat* format = XRenderFindVisualFormat(display, visual.visual);
        XRenderPictFormat* viewFormat = XRenderFindVisualFormat(display, DefaultVisual(display, DefaultScreen(display)));
        if (!glxPixmap || !format || !viewFormat)
            return;
        source = XRenderCreatePicture(display, pixmap, format, 0, nullptr);
        target = XRenderCreatePicture(display, window.view, viewFormat, 0, nullptr);
        // Maps each view pixel back to the frame: a scale by frame size / view size.
        XTransform scale{};
        scale.matrix[0][0] = XDoubleToFixed(double(window.width) / window.viewWidth);
        scale.matrix[1][1] = XDoubleToFixed(double(window.height) / window.viewHeight);
        scale.matrix[2][2] = XDoubleToFixed(1);
        XRenderSetPictureTransform(display, source, &scale);
        XRenderSetPictureFilter(display, source, const_cast<char*>(FilterBilinear), nullptr, 0);
        width = window.viewWidth;
        height = window.viewHeight;
    }
    ~ScaledFrame()
    {
        if (target)
            XRenderFreePicture(display, target);
        if (source)
            XRenderFreePicture(display, source);
        if (glxPixmap)
            glXDestroyGLXPixmap(display, glxPixmap);
        if (pixmap)
            XFreePixmap(display, pixmap);
    }
    ScaledFrame(const ScaledFrame&) = delete;
    ScaledFrame& operator=(const ScaledFrame&) = delete;

    bool usable() const { return source && target; }
    GLXDrawable drawable() const { return glxPixmap; }

    void present() const
    {
        glXWaitGL();  // the frame must be complete in the pixmap before the server reads it
        XRenderComposite(display, PictOpSrc, source, None, target, 0, 0, 0, 0, 0, 0, width, height);
        XFlush(display);
    }

private:
    Display* display;
    Pixmap pixmap = 0;
    GLXPixmap glxPixmap = 0;
    Picture source = 0, target = 0;
    unsigned width = 0, height = 0;
};

// What GLX holds for the program's one renderer window.
struct GlxState {
    VisualInfo visual;
    std::unique_ptr<ScaledFrame> scaled;  // only when the view is not the virtual display's size
};

GlxState& glx()
{
    static GlxState state;
    return state;
}

// Ask for one frame per vertical retrace where the driver can wait for it. Calling the entry
// point without the extension being advertised crashes some drivers, so look first.
void requestSwapInterval(Display* display, int screen, GLXDrawable drawable)
{
    const char* extensions = glXQueryExtensionsString(display, screen);
    if (internal::hasExtension(extensions, "GLX_EXT_swap_control")) {
        using SwapIntervalEXT = void (*)(Display*, GLXDrawable, int);
        if (auto set = reinterpret_cast<SwapIntervalEXT>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT"))))
            set(display, drawable, 1);
    } else if (internal::hasExtension(extensions, "GLX_MESA_swap_control")) {
        using SwapIntervalMESA = int (*)(unsigned);
        if (auto set = reinterpret_cast<SwapIntervalMESA>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA"))))
            set(1);
    }
}

bool isScaled(const Window& window) { return window.viewWidth != window.width || window.viewHeight != window.height; }

VisualInfo chooseVisual(const x11::Connection& c, const PixelFormatRequest& request, bool doubleBuffer)
{
    const int channelBits = request.colourBits / 3;
    int attributes[] = {GLX_RGBA,
                        GLX_RED_SIZE, channelBits,
                        GLX_GREEN_SIZE, channelBits,
                        GLX_BLUE_SIZE, channelBits,
                        GLX_DEPTH_SIZE, request.depthBits,
                        doubleBuffer ? GLX_DOUBLEBUFFER : int(None),
                        None};
    return VisualInfo(glXChooseVisual(c.display, c.screen, attributes));
}

}  // namespace

bool setPixelFormat(WindowHandle window, const PixelFormatRequest& request)
{
    auto* c = connection();
    if (!c || !window || !window->frame || window->view)
        return false;
    // A scaled frame is drawn off screen and shown by the server's copy: that copy is the
    // buffer swap, so the pixmap itself needs no back buffer.
    const bool scaled = isScaled(*window);
    VisualInfo visual = chooseVisual(*c, request, request.doubleBuffer && !scaled);
    if (!visual)
        return false;

    XSetWindowAttributes viewAttributes{};
    viewAttributes.border_pixel = 0;
    viewAttributes.event_mask = ExposureMask | StructureNotifyMask;
    unsigned long mask = CWBorderPixel | CWEventMask;
    Visual* viewVisual = CopyFromParent;
    int viewDepth = CopyFromParent;
    if (!scaled) {
        viewAttributes.colormap = XCreateColormap(c->display, c->root, visual->visual, AllocNone);
        mask |= CWColormap;
        viewVisual = visual->visual;
        viewDepth = visual->depth;
    }
    window->view = XCreateWindow(c->display, window->frame, window->viewX, window->viewY, window->viewWidth,
                                 window->viewHeight, 0, viewDepth, InputOutput, viewVisual, mask, &viewAttributes);
    if (!scaled)
        XFreeColormap(c->display, viewAttributes.colormap);  // the window keeps its own reference
    if (!window->view)
        return false;
    XMapWindow(c->display, window->view);

    if (scaled) {
        auto frame = std::make_unique<ScaledFrame>(c->display, *visual, *window);
        if (!frame->usable())
            return false;
        glx().scaled = std::move(frame);
    }
    glx().visual = std::move(visual);
    return true;
}

GlContextHandle createGlContext(WindowHandle window)
{
    auto* c = connection();
    if (!c || !window || !glx().visual)
        return nullptr;
    GLXContext context = glXCreateContext(c->display, glx().visual.get(), nullptr, True);
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
    if (!window->view)
        return false;
    const GLXDrawable drawable = glx().scaled ? glx().scaled->drawable() : window->view;
    if (!glXMakeCurrent(c->display, drawable, context->context))
        return false;
    if (!glx().scaled)
        requestSwapInterval(c->display, c->screen, drawable);
    return true;
}

void deleteGlContext(GlContextHandle context)
{
    std::unique_ptr<GlContext> owned(context);
    auto* c = connection();
    if (!c || !owned)
        return;
    glXDestroyContext(c->display, owned->context);
    glx().scaled.reset();
}

void swapBuffers(WindowHandle window)
{
    auto* c = connection();
    if (!c || !window || !window->view)
        return;
    if (glx().scaled)
        glx().scaled->present();
    else
        glXSwapBuffers(c->display, window->view);
}

}  // namespace platform

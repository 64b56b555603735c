// The desktop photograph on X11: the root window's image (through shared memory where the
// server offers it), converted with the visual's colour masks.
#include "platform/desktop_capture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/monitor.h"
#include "platform/x11/connection.h"

namespace platform {
namespace {

struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using Image = std::unique_ptr<XImage, ImageDeleter>;

// A shared-memory segment attached to both this process and the server, for one image.
class SharedImage {
public:
    SharedImage(Display* display, Visual* visual, int depth, int width, int height) : display(display)
    {
        image.reset(XShmCreateImage(display, visual, depth, ZPixmap, nullptr, &segment, width, height));
        if (!image)
            return;
        segment.shmid = shmget(IPC_PRIVATE, std::size_t(image->bytes_per_line) * height, IPC_CREAT | 0600);
        if (segment.shmid < 0)
            return;
        segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
        // Marked for removal at once: the segment goes when both sides have detached, even if
        // this process dies.
        shmctl(segment.shmid, IPC_RMID, nullptr);
        if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
            segment.shmaddr = image->data = nullptr;
            return;
        }
        // One call maps every page, rather than a fault per page on both sides of the copy
        // (a fifth of the capture's time here); older kernels just decline.
        madvise(segment.shmaddr, std::size_t(image->bytes_per_line) * height, MADV_POPULATE_WRITE);
        segment.readOnly = False;
        attached = x11::withoutErrors(display, [&] { XShmAttach(display, &segment); });
    }
    ~SharedImage()
    {
        if (attached) {
            XShmDetach(display, &segment);
            XSync(display, False);
        }
        if (segment.shmaddr)
            shmdt(segment.shmaddr);
        if (image)
            image->data = nullptr;  // the segment is not XDestroyImage's to free
    }
    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    XImage* get() const { return attached ? image.get() : nullptr; }

    bool read(::Window root, int x, int y)
    {
        return attached && x11::withoutErrors(display, [&] { XShmGetImage(display, root, image.get(), x, y, AllPlanes); });
    }

private:
    Display* display;
    XShmSegmentInfo segment{};
    Image image;
    bool attached = false;
};

int shiftOf(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// One colour channel scaled to 8 bits, whatever the width of its mask.
std::uint8_t channel(unsigned long pixel, unsigned long mask, int shift)
{
    const unsigned long maximum = mask >> shift;
    if (maximum == 0)
        return 0;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / maximum);
}

// Into `rgb`, whose rows are `rowBytes` apart.
void convert(const XImage& image, const Visual& visual, int width, int height, std::uint8_t* rgb, std::size_t rowBytes)
{
    const int redShift = shiftOf(visual.red_mask), greenShift = shiftOf(visual.green_mask),
              blueShift = shiftOf(visual.blue_mask);
    const bool commonLayout = image.bits_per_pixel == 32 && visual.red_mask == 0xFF0000 &&
                              visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF &&
                              image.byte_order == LSBFirst;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = rgb + std::size_t(y) * rowBytes;
        if (commonLayout) {
            // The usual 24-bit desktop: blue, green, red, unused in memory.
            const auto* in = reinterpret_cast<const std::uint8_t*>(image.data + std::size_t(y) * image.bytes_per_line);
            for (int x = 0; x < width; ++x, in += 4, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            continue;
        }
        for (int x = 0; x < width; ++x, out += 3) {
            const unsigned long pixel = XGetPixel(const_cast<XImage*>(&image), x, y);
            out[0] = channel(pixel, visual.red_mask, redShift);
            out[1] = channel(pixel, visual.green_mask, greenShift);
            out[2] = channel(pixel, visual.blue_mask, blueShift);
        }
    }
}

}  // namespace

bool copyScreenArea(int x, int y, int width, int height, std::uint8_t* rgb)
{
    auto* c = x11::connection();
    if (!c || width <= 0 || height <= 0)
        return false;
    // The caller's coordinates are Windows' own, with the primary monitor's corner at (0, 0).
    const Rect monitor = primaryMonitor();
    x += monitor.left;
    y += monitor.top;
    // Only the part on the screen can be read; the rest stays black.
    const int screenWidth = DisplayWidth(c->display, c->screen), screenHeight = DisplayHeight(c->display, c->screen);
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, screenWidth), bottom = std::min(y + height, screenHeight);
    if (left != x || top != y || right != x + width || bottom != y + height)
        std::memset(rgb, 0, std::size_t(width) * height * 3);
    if (right <= left || bottom <= top)
        return true;
    const int areaWidth = right - left, areaHeight = bottom - top;

    Visual* visual = DefaultVisual(c->display, c->screen);
    const int depth = DefaultDepth(c->display, c->screen);
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
        return false;

    std::uint8_t* areaStart = rgb + (std::size_t(top - y) * width + (left - x)) * 3;
    const std::size_t rowBytes = std::size_t(width) * 3;
    if (XShmQueryExtension(c->display)) {
        SharedImage shared(c->display, visual, depth, areaWidth, areaHeight);
        if (shared.read(c->root, left, top)) {
            convert(*shared.get(), *visual, areaWidth, areaHeight, areaStart, rowBytes);
            return true;
        }
    }
    Image image;
    x11::withoutErrors(c->display, [&] {
        image.reset(XGetImage(c->display, c->root, left, top, areaWidth, areaHeight, AllPlanes, ZPixmap));
    });
    if (!image)
        return false;
    convert(*image, *visual, areaWidth, areaHeight, areaStart, rowBytes);
    return true;
}

}  // namespace platform

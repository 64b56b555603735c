#pragma once
// A private X server for one test: Xvfb on a display number of its own choosing, never the
// user's display. The server ends with the object.
#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

class PrivateXServer {
public:
    // `options` go to Xvfb after the usual ones: "-extension GLX" leaves GLX out, for one.
    explicit PrivateXServer(int width = 1024, int height = 768, int depth = 24,
                            const std::vector<std::string>& options = {});
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", for DISPLAY.
    const std::string& name() const { return displayName; }
    // The test's own connection to the server.
    Display* display() const { return connection; }
    int width() const { return screenWidth; }
    int height() const { return screenHeight; }
    // The server process, for measuring what it costs.
    pid_t pid() const { return server; }

    // The server's own screen saver as XScreenSaverQueryInfo gives it: ScreenSaverOn, Off or
    // Disabled.
    int screenSaverState() const;

    // A RandR 1.5 monitor ("*name" for the primary one) on the area "WxH+X+Y", as
    // `xrandr --setmonitor` makes it; false when the server refused it.
    bool addMonitor(const std::string& name, int width, int height, int x, int y);

private:
    pid_t server = -1;
    std::string displayName;
    Display* connection = nullptr;
    int screenWidth, screenHeight;
};

}  // namespace testing_support

// The X server's screen saver and DPMS held off through the MIT-SCREEN-SAVER extension's
// suspension: the server ends it by itself when our connection closes, even after a crash.
// The saver's timers are never reset or forced (XResetScreenSaver, XForceScreenSaver): idle
// watchers take a forced reset for the user's return.
#include "platform/display_power.h"

#include <X11/extensions/scrnsaver.h>

#include "platform/x11/connection.h"

namespace platform {

void holdOffSystemScreenSaver(bool on)
{
    auto* c = x11::connection();
    int eventBase, errorBase;
    if (!c || !XScreenSaverQueryExtension(c->display, &eventBase, &errorBase))
        return;
    XScreenSaverSuspend(c->display, on ? True : False);
    XFlush(c->display);
}

}  // namespace platform

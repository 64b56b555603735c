#pragma once
// While the show runs, the windowing system's own screen saver must not start over it.
// On Windows the show is the system's screen saver and the renderer's window drops
// SC_SCREENSAVE, so nothing more is asked: the display's power stays with the user's power
// plan, as users expect of a screen saver. X11 has a screen saver of the server's that knows
// nothing of ours: that one is suspended.
namespace platform {

// True holds it off until the call with false, or until the process ends, however it ends.
void holdOffSystemScreenSaver(bool on);

}  // namespace platform

#include "platform/display_power.h"

namespace platform {

// No SetThreadExecutionState(ES_DISPLAY_REQUIRED): a screen saver that keeps the monitor on
// overrides the power plan the user chose.
void holdOffSystemScreenSaver(bool) {}

}  // namespace platform

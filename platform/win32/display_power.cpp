#include "platform/display_power.h"

#include <windows.h>

namespace platform {

void keepDisplayOn(bool on)
{
    // The system drops the request by itself when the thread ends.
    SetThreadExecutionState(on ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

}  // namespace platform

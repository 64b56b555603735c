#include "platform/end_request.h"

// A Windows program gets no signals: the system asks it to end through window messages
// (WM_CLOSE, WM_QUERYENDSESSION, WM_ENDSESSION), which its message loop already answers.
// There is nothing to catch here.
namespace platform {

void catchEndRequests() {}

bool endRequested() { return false; }

int endRequestDescriptor() { return -1; }

}  // namespace platform

// Hoarveil's renderer: the full-screen snow scene the saver starts for every show.
#include "platform/end_request.h"
#include "renderer/renderer_host.h"

int main()
{
    // A request to end (also the one that comes when the saver that started us dies) closes
    // the window in order, so the screen, the cursor and the keyboard are given back.
    platform::catchEndRequests();
    return runRenderer();
}

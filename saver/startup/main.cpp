// Hoarveil.scr: the screen saver's process. Main hands over to a form; the process lives while
// a form is loaded, and ends at once, without running any unload handler, when none is.
#include "platform/end_request.h"
#include "platform/trace.h"
#include "saver/forms/runtime.h"
#include "saver/startup/startup.h"

int main()
{
    // First of all: an idle watcher may stop the show at any moment, with SIGTERM, and the show
    // then ends in order, as it does on Esc, rather than on the spot.
    platform::catchEndRequests();
    platform::trace("started");
    forms::startForms();
    Main();
    forms::runWhileFormsLoaded();
    forms::endProcess();
}

// The forms runtime's process on FLTK: the display, the event loop and the timers.
#include <FL/Fl.H>

#include "platform/end_request.h"
#include "platform/x11/fltk/form_window.h"
#include "saver/forms/backend.h"
#include "saver/forms/runtime.h"
#include "saver/forms/timer.h"

namespace forms::backend {
namespace {

void endOnRequest(int, void*)
{
    endRequested();
}

void timerDue(void* timer)
{
    auto* due = static_cast<Timer*>(timer);
    // Due again one interval after this tick was due, whatever the handler takes.
    Fl::repeat_timeout(due->interval() / 1000.0, timerDue, due);
    due->tick();
}

}  // namespace

bool start()
{
    if (!platform::openFormsDisplay())
        return false;
    // Every wait of the toolkit, modal ones included, wakes for the request.
    if (const int requests = platform::endRequestDescriptor(); requests >= 0)
        Fl::add_fd(requests, FL_READ, endOnRequest);
    // The toolkit draws no glyph from a fallback font: every text in its default faces (message
    // boxes and lists included) must find its Japanese glyphs in the face itself.
    Fl::set_font(FL_HELVETICA, " IPAPGothic");
    Fl::set_font(FL_HELVETICA_BOLD, "BIPAPGothic");
    return true;
}

void waitForEvents()
{
    Fl::wait();
}

void flush()
{
    Fl::flush();
}

void startTimer(Timer& timer, int milliseconds)
{
    Fl::add_timeout(milliseconds / 1000.0, timerDue, &timer);
}

void stopTimer(Timer& timer)
{
    Fl::remove_timeout(timerDue, &timer);
}

}  // namespace forms::backend

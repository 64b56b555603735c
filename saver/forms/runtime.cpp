#include "saver/forms/runtime.h"

#include <FL/Fl.H>

#include <algorithm>

#include "platform/end_request.h"
#include "platform/form_window.h"
#include "platform/process.h"
#include "saver/forms/form.h"

namespace forms {
namespace {

struct FormsRuntime {
    std::vector<Form*> loaded;
    bool watchingDestroyedWindows = false;
};

FormsRuntime& runtime()
{
    static FormsRuntime record;
    return record;
}

// A request to end the program: every form is asked to unload, the newest first, so each
// ends its own work (the show stops its music and its renderer); then the process ends.
void endOnRequest(int, void*)
{
    const std::vector<Form*> loaded = runtime().loaded;
    for (auto form = loaded.rbegin(); form != loaded.rend(); ++form)
        (*form)->unload(UnloadMode::AppTaskManager);
    endProcess();
}

}  // namespace

bool startForms()
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

const std::vector<Form*>& loadedForms()
{
    return runtime().loaded;
}

void runWhileFormsLoaded()
{
    while (!runtime().loaded.empty())
        Fl::wait();
}

void endProcess()
{
    platform::flushDisplay();
    platform::endProcess(0);
}

std::string commandText()
{
    return platform::commandText();
}

void formLoaded(Form& form)
{
    auto& record = runtime();
    if (!record.watchingDestroyedWindows) {
        platform::onWindowDestroyed(formWindowDestroyed);
        record.watchingDestroyedWindows = true;
    }
    record.loaded.push_back(&form);
}

void formUnloaded(Form& form)
{
    auto& loaded = runtime().loaded;
    loaded.erase(std::remove(loaded.begin(), loaded.end(), &form), loaded.end());
}

void formWindowDestroyed(platform::NativeWindow window)
{
    const std::vector<Form*> loaded = runtime().loaded;
    for (Form* form : loaded)
        if (form->loaded() && form->hWnd() == window)
            form->windowGone();
}

}  // namespace forms

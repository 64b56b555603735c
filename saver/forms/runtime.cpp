#include "saver/forms/runtime.h"

#include <algorithm>

#include "platform/process.h"
#include "saver/forms/backend.h"
#include "saver/forms/form.h"

namespace forms {
namespace {

struct FormsRuntime {
    std::vector<Form*> loaded;
};

FormsRuntime& runtime()
{
    static FormsRuntime record;
    return record;
}

}  // namespace

// A request to end the program: every form is asked to unload, the newest first, so each
// ends its own work (the show stops its music and its renderer); then the process ends.
void endRequested()
{
    const std::vector<Form*> loaded = runtime().loaded;
    for (auto form = loaded.rbegin(); form != loaded.rend(); ++form)
        (*form)->unload(UnloadMode::AppTaskManager);
    endProcess();
}

bool startForms()
{
    return backend::start();
}

const std::vector<Form*>& loadedForms()
{
    return runtime().loaded;
}

void runWhileFormsLoaded()
{
    while (!runtime().loaded.empty())
        backend::waitForEvents();
}

void endProcess()
{
    backend::flush();
    platform::endProcess(0);
}

std::string commandText()
{
    return platform::commandText();
}

void formLoaded(Form& form)
{
    runtime().loaded.push_back(&form);
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

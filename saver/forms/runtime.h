#pragma once
// The forms runtime's process: which forms are loaded, the event loop that runs while any is,
// and the end of the process.
#include <string>
#include <vector>

#include "platform/native_window.h"

namespace forms {

class Form;

// Starts the forms runtime: the toolkit on the process's one connection to the windowing
// system, with default faces that have the glyphs of the saver's Japanese texts. False when
// there is no display.
bool startForms();

// The loaded forms, in the order they were loaded.
const std::vector<Form*>& loadedForms();

// Runs the user interface until no form is loaded any more.
void runWhileFormsLoaded();

// Ends the process at once: no form's query-unload or unload handler runs, nothing after the
// call runs. Requests for the windowing system are sent first.
[[noreturn]] void endProcess();

// The process's argument text, without the program path.
std::string commandText();

// For the form machinery: a form's window appeared or went, or was destroyed by someone else.
void formLoaded(Form& form);
void formUnloaded(Form& form);
void formWindowDestroyed(platform::NativeWindow window);
// The platform asked the program to end: every form is asked to unload, then the process ends.
[[noreturn]] void endRequested();

}  // namespace forms

// The file chooser on X11: the toolkit's native chooser (GTK's when the desktop has it, else
// the toolkit's own), which runs modally until the user has chosen or cancelled.
#include "platform/file_chooser.h"

#include <FL/Fl_Native_File_Chooser.H>

#include "platform/x11/fltk/file_filter.h"
#include "platform/x11/fltk/form_window.h"

namespace platform {

int getOpenFileName(OpenFileName& request)
{
    Fl_Native_File_Chooser chooser;
    // Windows' open chooser takes names that don't exist when no flag asks otherwise; the
    // toolkit's open chooser refuses them, its save chooser (without the overwrite question)
    // takes any name.
    chooser.type(Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
    chooser.options(Fl_Native_File_Chooser::NO_OPTIONS);
    chooser.title(request.title.c_str());
    chooser.filter(caselessToolkitFilter(request.filter).c_str());
    chooser.directory(request.initialDir.c_str());
    {
        const FocusLentToPointer lent(request.owner);
        if (chooser.show() != 0 || !chooser.filename())
            return 0;
    }
    const std::string chosen = chooser.filename();
    const std::size_t slash = chosen.rfind('/');
    const std::string name = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    if (chosen.empty() || chosen.size() >= request.maxFile || name.size() >= request.maxFileTitle)
        return 0;
    request.file = chosen;
    request.fileTitle = name;
    return 1;
}

}  // namespace platform

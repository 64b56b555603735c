#include "platform/file_chooser.h"

#include <windows.h>
#include <commdlg.h>

namespace platform {
namespace {

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

int getOpenFileName(OpenFileName& request)
{
    if (request.maxFile == 0)
        return 0;
    // The chooser starts from the name already there, when it fits.
    std::string file(request.maxFile, '\0'), fileTitle(request.maxFileTitle, '\0');
    if (request.file.size() < request.maxFile)
        file.replace(0, request.file.size(), request.file);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
    // The string's own ending NUL after the last pattern's makes the double NUL that ends the list.
    dialog.lpstrFilter = orNull(request.filter);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(request.maxFile);
    dialog.lpstrFileTitle = request.maxFileTitle ? fileTitle.data() : nullptr;
    dialog.nMaxFileTitle = static_cast<DWORD>(request.maxFileTitle);
    dialog.lpstrInitialDir = orNull(request.initialDir);
    dialog.lpstrTitle = orNull(request.title);
    dialog.Flags = request.flags;
    if (!GetOpenFileNameA(&dialog))
        return 0;
    request.file = file.c_str();
    request.fileTitle = fileTitle.c_str();
    return 1;
}

}  // namespace platform

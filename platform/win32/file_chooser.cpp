// The chooser through GetOpenFileNameW, so that its Japanese title and filter read correctly
// under any system code page. The path it gives must still work for the ANSI calls the music
// and the settings file go through: it is handed on only when the system's code page can
// spell it, and must fit the request's buffer there.
#include "platform/file_chooser.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

using win32::wideFromUtf8;

const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

int getOpenFileName(OpenFileName& request)
{
    if (request.maxFile == 0)
        return 0;
    // A name in the code page is never shorter in characters than in bytes, so these buffers
    // hold whatever would fit the request's.
    std::wstring file(request.maxFile, L'\0'), fileTitle(request.maxFileTitle, L'\0');
    const std::wstring startName = wideFromUtf8(request.file);
    if (startName.size() < request.maxFile)
        file.replace(0, startName.size(), startName);
    // The filter's NULs are part of it: each piece converts on its own.
    const std::wstring filter = wideFromUtf8(request.filter);
    const std::wstring initialDir = wideFromUtf8(request.initialDir), title = wideFromUtf8(request.title);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
    // The string's own ending NUL after the last pattern's makes the double NUL that ends the list.
    dialog.lpstrFilter = orNull(filter);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(request.maxFile);
    dialog.lpstrFileTitle = request.maxFileTitle ? fileTitle.data() : nullptr;
    dialog.nMaxFileTitle = static_cast<DWORD>(request.maxFileTitle);
    dialog.lpstrInitialDir = orNull(initialDir);
    dialog.lpstrTitle = orNull(title);
    if (!GetOpenFileNameW(&dialog))
        return 0;
    const std::string chosen = win32::utf8FromWide(file.c_str());
    const auto spelt = win32::codePageFromUtf8(chosen);
    if (!spelt)
        return unspellableFileName;
    if (spelt->size() >= request.maxFile)
        return 0;
    request.file = chosen;
    request.fileTitle = win32::utf8FromWide(fileTitle.c_str());
    return 1;
}

}  // namespace platform

#include "platform/executable_folder.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"

namespace platform {

std::string executableFolder()
{
    // The wide call: the code page can't spell every folder a user installs into (a Japanese
    // name on a Western system), and the rest of the saver takes the path in UTF-8.
    // GetModuleFileNameW cuts the path to the buffer and then fills it exactly: grow until it fits.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size() &&
           path.size() < 32768)
        path.resize(path.size() * 2);
    if (length == 0 || length == path.size())
        return ".";
    path.resize(length);
    const auto separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return ".";
    // A drive's root keeps its backslash: "C:" alone would mean that drive's current folder.
    return win32::utf8FromWide(path.substr(0, separator == 2 && path[1] == L':' ? separator + 1 : separator));
}

}  // namespace platform

#include "platform/executable_folder.h"

#include <windows.h>

namespace platform {

std::string executableFolder()
{
    // GetModuleFileNameA cuts the path to the buffer and then fills it exactly: grow until it fits.
    std::string path(MAX_PATH, '\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size() &&
           path.size() < 32768)
        path.resize(path.size() * 2);
    if (length == 0 || length == path.size())
        return ".";
    path.resize(length);
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string::npos)
        return ".";
    // A drive's root keeps its backslash: "C:" alone would mean that drive's current folder.
    return path.substr(0, separator == 2 && path[1] == ':' ? separator + 1 : separator);
}

}  // namespace platform

#include "platform/executable_folder.h"

#include <unistd.h>

#include <climits>

namespace platform {

std::string executableFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string executable(path, static_cast<std::size_t>(length));
    const auto slash = executable.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : executable.substr(0, slash);
}

}  // namespace platform

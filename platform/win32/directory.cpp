#include "platform/directory.h"

#include <windows.h>

namespace platform {

// Windows has no access mode: a new folder gets its parent's inherited permissions.
bool createDirectory(const std::string& path, unsigned)
{
    return !path.empty() && CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

}  // namespace platform

#include "platform/directory.h"

#include <sys/stat.h>

namespace platform {

bool createDirectory(const std::string& path, unsigned mode)
{
    return !path.empty() && mkdir(path.c_str(), static_cast<mode_t>(mode)) == 0;
}

}  // namespace platform

#include "platform/settings_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

bool folderIsWritable(const std::string& folder) { return access(folder.c_str(), W_OK) == 0; }

std::string userSettingsFolder()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (configHome && *configHome)
        folder = configHome;
    else
        folder = std::string(std::getenv("HOME") ? std::getenv("HOME") : ".") + "/.config";
    mkdir(folder.c_str(), 0700);
    folder += "/hoarveil";
    mkdir(folder.c_str(), 0700);
    return folder;
}

}  // namespace platform

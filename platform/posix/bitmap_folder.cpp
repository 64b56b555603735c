#include "platform/bitmap_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/path.h"

namespace platform {

std::string bitmapFolder()
{
    // The runtime folder is per user, private and cleared at log-out: the best home for a
    // photograph of the desktop.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return joinPath(runtime, "k_varo");
    const char* home = std::getenv("HOME");
    return joinPath(joinPath(home && *home ? home : ".", ".cache"), "k_varo");
}

std::string bitmapPath(const std::string& fileName) { return joinPath(bitmapFolder(), fileName); }

bool bitmapFolderIsPrivate()
{
    struct stat info {};
    return lstat(bitmapFolder().c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

}  // namespace platform

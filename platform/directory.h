#pragma once
// Folders, with the meaning of the forms runtime's MkDir: one level at a time.
#include <string>

namespace platform {

// Creates the last folder of the path with the access mode (never its parents). False when it
// exists already or cannot be made.
bool createDirectory(const std::string& path, unsigned mode);

}  // namespace platform

#pragma once
#include <string>

namespace platform {

// The folder of the running executable, without a trailing slash ("/" for the root).
std::string executableFolder();

}  // namespace platform

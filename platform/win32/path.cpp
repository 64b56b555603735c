#include "platform/path.h"

namespace platform {

const char folderSeparator = '\\';

bool separatesFolders(char character) { return character == '\\' || character == '/'; }

std::string joinPath(const std::string& folder, const std::string& name) { return folder + folderSeparator + name; }

}  // namespace platform

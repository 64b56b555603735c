#include "platform/path.h"

namespace platform {

const char folderSeparator = '/';

bool separatesFolders(char character) { return character == '/'; }

}  // namespace platform

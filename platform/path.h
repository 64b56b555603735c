#pragma once
// Paths as the system spells them: the saver joins names to folders with the system's
// separator, and takes apart the paths its chooser and settings file hand it.
#include <string>

namespace platform {

// '/' here, '\' on Windows.
extern const char folderSeparator;

// Whether the character ends a folder's name in a path (on Windows '/' does too).
bool separatesFolders(char character);

// The folder, the separator and the name, with no further check.
inline std::string joinPath(const std::string& folder, const std::string& name)
{
    return folder + folderSeparator + name;
}

}  // namespace platform

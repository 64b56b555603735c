#pragma once
// Where the saver may keep its settings file.
#include <string>

namespace platform {

// Whether this user may create and replace files in the folder. On Windows also whether the
// system's code page spells the folder's name, as the settings file's ANSI calls need.
bool folderIsWritable(const std::string& folder);

// The user's own folder for the saver's settings, made (private to the user) when missing:
// $XDG_CONFIG_HOME/hoarveil (default ~/.config/hoarveil) here, %APPDATA%\Hoarveil on Windows.
std::string userSettingsFolder();

}  // namespace platform

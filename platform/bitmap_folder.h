#pragma once
// The private folder the saver writes the two show bitmaps into and the renderer reads them
// from: $XDG_RUNTIME_DIR/k_varo, else $HOME/.cache/k_varo ("C:\k_varo" on Windows).
#include <string>

namespace platform {

std::string bitmapFolder();
// The path of one of the two bitmaps in that folder, with the system's separator.
std::string bitmapPath(const std::string& fileName);

// Whether the folder is the user's own: a real folder, not a symbolic link to one, owned by
// this user. The desktop photograph goes nowhere else.
bool bitmapFolderIsPrivate();

}  // namespace platform

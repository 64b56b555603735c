// The show's two bitmaps live where the saver has always put them.
#include "platform/bitmap_folder.h"

#include <windows.h>

#include "platform/win32/user_security.h"

namespace platform {

std::string bitmapFolder() { return "C:\\k_varo"; }

// The renderer's own table of the two paths, as it has always spelt them.
std::string bitmapPath(const std::string& fileName) { return "c:\\k_varo\\" + fileName; }

bool bitmapFolderIsPrivate()
{
    // A junction or symbolic link would send the photograph wherever it points.
    const DWORD attributes = GetFileAttributesW(L"C:\\k_varo");
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) && win32::ownedByCurrentUser(L"C:\\k_varo");
}

}  // namespace platform

// Whether the bitmap folder is the user's own: a file of its own, so that the renderer, which
// only reads the bitmaps, doesn't import the security calls.
#include "platform/bitmap_folder.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"
#include "platform/win32/user_security.h"

namespace platform {

bool bitmapFolderIsPrivate()
{
    // A junction or symbolic link would send the photograph wherever it points.
    const std::wstring folder = win32::wideFromUtf8(bitmapFolder());
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT) && win32::ownedByCurrentUser(folder);
}

}  // namespace platform

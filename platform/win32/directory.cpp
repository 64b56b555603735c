#include "platform/directory.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"
#include "platform/win32/user_security.h"

namespace platform {

// Windows has no access mode: a mode that leaves out group and others gives a folder only this
// user can open; any other gets its parent's inherited permissions.
bool createDirectory(const std::string& path, unsigned mode)
{
    if (path.empty())
        return false;
    const std::wstring widePath = win32::wideFromUtf8(path);
    if (mode & 077)
        return CreateDirectoryW(widePath.c_str(), nullptr) != FALSE;
    const auto descriptor = win32::ownerOnlyDescriptor();
    if (!descriptor)
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    return CreateDirectoryW(widePath.c_str(), &attributes) != FALSE;
}

}  // namespace platform

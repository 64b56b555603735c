#include "platform/directory.h"

#include <windows.h>
#include <sddl.h>

#include <memory>

#include "platform/win32/text_encoding.h"
#include "platform/win32/user_security.h"

namespace platform {
namespace {

struct LocalFree_ {
    void operator()(void* block) const { LocalFree(block); }
};

// Full control for this user alone, inherited by everything made inside; the parent's
// permissions (C:\ lets every user read what is made there) are not.
std::unique_ptr<void, LocalFree_> ownerOnlyDescriptor()
{
    const std::wstring sid = win32::currentUserSid();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (sid.empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorW(
                           (L"D:P(A;OICI;FA;;;" + sid + L")").c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return std::unique_ptr<void, LocalFree_>(descriptor);
}

}  // namespace

// Windows has no access mode: a mode that leaves out group and others gives a folder only this
// user can open; any other gets its parent's inherited permissions.
bool createDirectory(const std::string& path, unsigned mode)
{
    if (path.empty())
        return false;
    const std::wstring widePath = win32::wideFromUtf8(path);
    if (mode & 077)
        return CreateDirectoryW(widePath.c_str(), nullptr) != FALSE;
    const auto descriptor = ownerOnlyDescriptor();
    if (!descriptor)
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    return CreateDirectoryW(widePath.c_str(), &attributes) != FALSE;
}

}  // namespace platform

#include "platform/win32/user_security.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <vector>

namespace platform::win32 {
namespace {

// The token's user, in a buffer the SID points into.
std::vector<unsigned char> tokenUser()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        buffer.clear();
    CloseHandle(token);
    return buffer;
}

}  // namespace

void LocalMemoryFree::operator()(void* block) const { LocalFree(block); }

SecurityDescriptor ownerOnlyDescriptor()
{
    const auto user = tokenUser();
    wchar_t* sid = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid, &sid))
        return nullptr;
    const std::unique_ptr<wchar_t, LocalMemoryFree> ownedSid(sid);
    // C:\ lets every user read what is made there: that is not inherited.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW((L"D:P(A;OICI;FA;;;" + std::wstring(sid) + L")").c_str(),
                                                              SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return SecurityDescriptor(descriptor);
}

bool ownedByCurrentUser(const std::wstring& path)
{
    const auto user = tokenUser();
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (user.empty() || GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const SecurityDescriptor owned(descriptor);
    return owner && EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
}

}  // namespace platform::win32

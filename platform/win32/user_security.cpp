#include "platform/win32/user_security.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <vector>

namespace platform::win32 {
namespace {

struct LocalFree_ {
    void operator()(void* block) const { LocalFree(block); }
};

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

std::wstring currentUserSid()
{
    const auto user = tokenUser();
    wchar_t* text = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid, &text))
        return {};
    const std::unique_ptr<wchar_t, LocalFree_> owned(text);
    return text;
}

bool ownedByCurrentUser(const std::wstring& path)
{
    const auto user = tokenUser();
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (user.empty() || GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, LocalFree_> owned(descriptor);
    return owner && EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
}

}  // namespace platform::win32

#pragma once
// This user's security identity, for folders that only they may read. Only Win32 code
// includes this header.
#include <memory>
#include <string>

namespace platform::win32 {

// Memory the security calls hand out, given back with LocalFree.
struct LocalMemoryFree {
    void operator()(void* block) const;
};
using SecurityDescriptor = std::unique_ptr<void, LocalMemoryFree>;

// Full control for this user alone, inherited by everything made inside, and none of the
// parent's permissions; empty when the process token can't say who the user is.
SecurityDescriptor ownerOnlyDescriptor();

// Whether the file or folder at the path is owned by the current user.
bool ownedByCurrentUser(const std::wstring& path);

}  // namespace platform::win32

#pragma once
// This user's security identity, for folders that only they may read. Only Win32 code
// includes this header.
#include <string>

namespace platform::win32 {

// The current user's SID as text ("S-1-5-21-..."), empty when the process token can't say.
std::wstring currentUserSid();

// Whether the file or folder at the path is owned by the current user.
bool ownedByCurrentUser(const std::wstring& path);

}  // namespace platform::win32

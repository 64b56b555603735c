#include "platform/file_access.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"

namespace platform {

bool canOpenForReading(const std::string& path)
{
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder can't be opened, and a busy pipe fails at
    // once instead of waiting.
    HANDLE file = CreateFileW(win32::wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace platform

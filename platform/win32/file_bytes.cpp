#include "platform/file_bytes.h"

#include <windows.h>

#include <algorithm>

namespace platform {

FileBytes::FileBytes(const char* path)
{
    // Read sharing only: a file that another program is still writing can't be opened.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER length{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &length) && length.QuadPart > 0) {
        const std::size_t wanted = std::size_t(length.QuadPart);
        data.reset(static_cast<std::uint8_t*>(std::malloc(wanted)));
        while (data && size < wanted) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wanted - size, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(file, data.get() + size, chunk, &got, nullptr) || got == 0)
                break;
            size += got;
        }
    }
    CloseHandle(file);
}

}  // namespace platform

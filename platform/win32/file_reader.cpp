#include "platform/file_reader.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

// Without FILE_FLAG_BACKUP_SEMANTICS a folder can't be opened, and a busy pipe fails at once
// instead of waiting.
HANDLE openForReading(const std::wstring& path, DWORD sharing)
{
    return CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

FileReader::FileReader(const std::string& path)
{
    const std::wstring name = win32::wideFromUtf8(path);
    // Read sharing only: a file that another program is still writing can't be opened.
    HANDLE file = openForReading(name, FILE_SHARE_READ);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            kind = FileRead::Missing;
        // Such a file still opens for reading, as a file being written: it is there, unreadable.
        if (error == ERROR_SHARING_VIOLATION) {
            HANDLE shared = openForReading(name, FILE_SHARE_READ | FILE_SHARE_WRITE);
            isOpen = shared != INVALID_HANDLE_VALUE;
            if (isOpen)
                CloseHandle(shared);
        }
        return;
    }
    handle = reinterpret_cast<std::intptr_t>(file);
    isOpen = true;
    if (GetFileType(file) == FILE_TYPE_DISK)
        kind = FileRead::Read;
}

FileReader::~FileReader()
{
    if (handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(handle));
}

FileRead FileReader::readAll(FileBytes& into)
{
    into = FileBytes();
    if (kind != FileRead::Read)
        return kind;
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file, &length))
        return FileRead::Unreadable;
    const std::size_t wanted = std::size_t(length.QuadPart);
    if (wanted == 0)
        return FileRead::Read;
    MemoryBlock block(static_cast<std::uint8_t*>(std::malloc(wanted)));
    if (!block)
        return FileRead::Unreadable;
    std::size_t size = 0;
    FileRead outcome = FileRead::Read;
    while (size < wanted) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wanted - size, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, block.get() + size, chunk, &got, nullptr)) {
            outcome = FileRead::Unreadable;
            break;
        }
        if (got == 0)
            break;
        size += got;
    }
    into = FileBytes(std::move(block), size);
    return outcome;
}

}  // namespace platform

#include "platform/file_replace.h"

#include <windows.h>

#include <algorithm>
#include <system_error>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

// A new file beside the target that closes itself, and goes too unless it was moved.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& beside)
        : path(win32::wideFromUtf8(beside) + L"." + std::to_wstring(GetCurrentProcessId()) + L".new")
    {
        // CREATE_NEW never opens a file (or a link) that is already there. The folder's own
        // permissions (the bitmap folder's owner-only ones) are inherited.
        handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            fail("cannot create a file beside " + beside);
    }
    ~TemporaryFile()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
        if (!kept)
            DeleteFileW(path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(const std::vector<std::uint8_t>& bytes)
    {
        for (std::size_t done = 0; done < bytes.size();) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0)
                fail("cannot write a file beside the picture");
            done += written;
        }
        const BOOL closed = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        if (!closed)
            fail("cannot finish a file beside the picture");
    }

    // Replacing a reparse point swaps the link itself, never its target.
    void moveTo(const std::string& target)
    {
        if (!MoveFileExW(path.c_str(), win32::wideFromUtf8(target).c_str(), MOVEFILE_REPLACE_EXISTING))
            fail("cannot replace " + target);
        kept = true;
    }

private:
    std::wstring path;
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool kept = false;
};

}  // namespace

void replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    TemporaryFile file(path);
    file.write(bytes);
    file.moveTo(path);
}

}  // namespace platform

#include "platform/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

FileReader::FileReader(const std::string& path)
{
    // Non-blocking, so that opening a pipe doesn't wait for its writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) {
        kind = errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
        return;
    }
    handle = descriptor;
    struct stat info {};
    const mode_t type = ::fstat(descriptor, &info) == 0 ? info.st_mode & S_IFMT : 0;
    // A folder opens here for reading; on Windows it doesn't.
    isOpen = type != 0 && type != S_IFDIR;
    if (type == S_IFREG)
        kind = FileRead::Read;
}

FileReader::~FileReader()
{
    if (handle >= 0)
        ::close(int(handle));
}

FileRead FileReader::readAll(FileBytes& into)
{
    into = FileBytes();
    if (kind != FileRead::Read)
        return kind;
    struct stat info {};
    if (::fstat(int(handle), &info) != 0)
        return FileRead::Unreadable;
    const std::size_t wanted = std::size_t(info.st_size);
    if (wanted == 0)
        return FileRead::Read;
    MemoryBlock block(static_cast<std::uint8_t*>(std::malloc(wanted)));
    if (!block)
        return FileRead::Unreadable;
    std::size_t size = 0;
    FileRead outcome = FileRead::Read;
    while (size < wanted) {
        const ssize_t got = ::read(int(handle), block.get() + size, wanted - size);
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            outcome = FileRead::Unreadable;
            break;
        }
        size += std::size_t(got);
    }
    into = FileBytes(std::move(block), size);
    return outcome;
}

}  // namespace platform

#include "platform/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

// A descriptor opened without waiting for a pipe's writer or a device, closed with its scope.
class ReadDescriptor {
public:
    explicit ReadDescriptor(const std::string& path)
        : descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)), openError(errno)
    {
    }
    ~ReadDescriptor()
    {
        if (descriptor >= 0)
            ::close(descriptor);
    }
    ReadDescriptor(const ReadDescriptor&) = delete;
    ReadDescriptor& operator=(const ReadDescriptor&) = delete;

    int get() const { return descriptor; }
    bool missing() const { return descriptor < 0 && openError == ENOENT; }
    mode_t type() const
    {
        struct stat info {};
        return descriptor >= 0 && ::fstat(descriptor, &info) == 0 ? info.st_mode & S_IFMT : 0;
    }

private:
    int descriptor;
    int openError;
};

}  // namespace

bool canOpenForReading(const std::string& path)
{
    const ReadDescriptor file(path);
    return file.get() >= 0 && file.type() != 0 && file.type() != S_IFDIR;
}

FileRead readWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();
    const ReadDescriptor file(path);
    if (file.missing())
        return FileRead::Missing;
    if (file.type() != S_IFREG)
        return FileRead::Unreadable;
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), block, sizeof block);
        if (got == 0)
            return FileRead::Read;
        if (got < 0 && errno != EINTR)
            return FileRead::Unreadable;
        if (got > 0)
            contents.append(block, std::size_t(got));
    }
}

}  // namespace platform

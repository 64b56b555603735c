#include "platform/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileBytes::FileBytes(const char* path)
{
    // Non-blocking, so a pipe put in the file's place can't hang the program.
    const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return;
    struct stat info {};
    if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const std::size_t wanted = std::size_t(info.st_size);
        data.reset(static_cast<std::uint8_t*>(std::malloc(wanted)));
        while (data && size < wanted) {
            const ssize_t got = ::read(descriptor, data.get() + size, wanted - size);
            if (got <= 0)
                break;
            size += std::size_t(got);
        }
    }
    ::close(descriptor);
}

}  // namespace platform

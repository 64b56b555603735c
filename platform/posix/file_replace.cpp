#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace platform {
namespace {

[[noreturn]] void fail(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

// A file descriptor that closes itself; the temporary file goes too unless it was kept.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& beside) : path(beside + ".XXXXXX")
    {
        fd = mkstemp(path.data());  // mode 0600, never an existing file
        if (fd < 0)
            fail("cannot create a file beside " + beside);
    }
    ~TemporaryFile()
    {
        if (fd >= 0)
            close(fd);
        if (!kept)
            unlink(path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(const std::vector<std::uint8_t>& bytes)
    {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                fail("cannot write " + path);
            done += static_cast<std::size_t>(written);
        }
        if (fchmod(fd, 0600) != 0 || close(fd) != 0) {
            fd = -1;
            fail("cannot finish " + path);
        }
        fd = -1;
    }

    // rename never follows a link at the target.
    void renameTo(const std::string& target)
    {
        if (std::rename(path.c_str(), target.c_str()) != 0)
            fail("cannot replace " + target);
        kept = true;
    }

private:
    std::string path;
    int fd = -1;
    bool kept = false;
};

}  // namespace

void replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    TemporaryFile file(path);
    file.write(bytes);
    file.renameTo(path);
}

}  // namespace platform

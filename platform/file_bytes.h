#pragma once
// A whole file read into memory, for the bitmap reader. A plain read rather than a mapping: on
// the machines measured, setting up and tearing down the mapping of a desktop capture cost more
// than copying its bytes, and a file cut short while it is read can't fault the program.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace platform {

class FileBytes {
public:
    // Only a regular file is read; anything else (a folder, a pipe, a file another program
    // holds open for writing on Windows) leaves the object empty.
    explicit FileBytes(const char* path);

    // A file that shrank while it was read counts as what was read of it.
    bool valid() const { return data && size > 0; }
    std::span<const std::uint8_t> bytes() const { return {data.get(), size}; }

private:
    struct Free {
        void operator()(std::uint8_t* block) const { std::free(block); }
    };
    std::unique_ptr<std::uint8_t[], Free> data;
    std::size_t size = 0;
};

}  // namespace platform

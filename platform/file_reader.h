#pragma once
// Files opened once for reading the way the Windows file functions would (CreateFile with
// GENERIC_READ, then ReadFile and CloseHandle), but never waiting: a named pipe or a device put
// where a file is expected must not hang the programs.
//
// A whole file is read into one block of its length: a plain read rather than a mapping, since
// on the machines measured setting up and tearing down the mapping of a desktop capture cost
// more than copying its bytes, and a file cut short while it is read can't fault the program.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/memory_block.h"

namespace platform {

enum class FileRead {
    Read,        // the whole file was read
    Missing,     // no such file
    Unreadable,  // there is one, but not an ordinary file we may read (a folder, a pipe, no permission)
};

// The bytes read from a file.
class FileBytes {
public:
    FileBytes() = default;
    // The whole of the file at `path`, or nothing (see FileReader::readAll).
    explicit FileBytes(const char* path);

    // A file that shrank while it was read counts as what was read of it.
    bool valid() const { return data && size > 0; }
    std::span<const std::uint8_t> bytes() const { return {data.get(), size}; }
    std::string_view text() const { return {reinterpret_cast<const char*>(data.get()), size}; }

private:
    friend class FileReader;
    FileBytes(MemoryBlock block, std::size_t length) : data(std::move(block)), size(length) {}

    MemoryBlock data;
    std::size_t size = 0;
};

class FileReader {
public:
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // Whether CreateFile opened it: something that exists, may be read and isn't a folder.
    bool opened() const { return isOpen; }

    // The whole of an ordinary file, in one block of the length it has now. On Windows a file
    // that another program holds open for writing is Unreadable, never half read. On a read
    // error `into` keeps what was read before it.
    FileRead readAll(FileBytes& into);

private:
    std::intptr_t handle = -1;  // the descriptor or HANDLE; -1 is neither
    bool isOpen = false;
    FileRead kind = FileRead::Unreadable;  // Read for an ordinary file we may read
};

inline FileBytes::FileBytes(const char* path) { FileReader(path).readAll(*this); }

}  // namespace platform

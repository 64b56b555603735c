#pragma once
// Files opened for reading the way the Windows file functions would, but never waiting: a named
// pipe or a device put where a file is expected must not hang the programs.
#include <string>

namespace platform {

// CreateFile for reading, then CloseHandle: true for something that exists, can be read and
// isn't a folder.
bool canOpenForReading(const std::string& path);

enum class FileRead {
    Read,        // `contents` holds the whole file
    Missing,     // no such file
    Unreadable,  // there is one, but not an ordinary file we may read (a folder, a pipe, no permission)
};

// The whole of an ordinary file.
FileRead readWholeFile(const std::string& path, std::string& contents);

}  // namespace platform

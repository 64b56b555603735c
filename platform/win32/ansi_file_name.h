#pragma once
// File names for the few calls that exist only in the code page (the profile functions, whose
// file keeps the bytes of Japanese Windows' files). Only Win32 code includes this header.
#include <optional>
#include <string>

namespace platform::win32 {

// The UTF-8 path as an ANSI call takes it: in the system's code page, or, where that can't
// spell a folder's name, through the folder's short (8.3) name. Nothing when neither spells it
// (a volume without short names), so that no call gets a name with '?' in it.
std::optional<std::string> ansiFileName(const std::string& path);

}  // namespace platform::win32

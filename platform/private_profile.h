#pragma once
// Private-profile (INI) files with the behaviour of the Windows profile functions the saver's
// settings were written for: case-insensitive section and key names, blanks around names and
// values ignored, one pair of quotes around a value stripped, ';' comment lines, the first of
// duplicate sections and keys wins, values cut to the caller's buffer. Lines end in CRLF, LF or
// a lone CR. A write creates the file and the section when missing, replaces an existing key in
// place, keeps every other line, and ends the lines it adds as the file's own lines end (CRLF in
// a new file).
#include <cstddef>
#include <string>

namespace platform {

// GetPrivateProfileStringA with a buffer of `size` bytes: the value (or the default), cut to
// size - 1 bytes in the system's code page (never inside a character), returned in UTF-8. A
// value that fits in the code page comes back whole, though its UTF-8 may be longer.
std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file);

// WritePrivateProfileStringA: false when the file can't be written; nothing is lost then.
bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file);

}  // namespace platform

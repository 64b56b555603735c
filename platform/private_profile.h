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

// GetPrivateProfileStringA: copies the value (or the default) into the buffer, cut to
// size - 1 bytes and NUL-terminated; returns the number of bytes copied.
std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, char* buffer, std::size_t size,
                                    const std::string& file);

// WritePrivateProfileStringA: false when the file can't be written; nothing is lost then.
bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file);

}  // namespace platform

#pragma once
// The saver's texts are UTF-8 on every system. Windows' ANSI calls take them in a code page
// (the system's, or Shift-JIS where a file must match Japanese Windows), and what is drawn goes
// through the wide-character calls, so Japanese reads correctly under any system locale.
// Only Win32 code includes this header.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::win32 {

// CP_ACP: the system's ANSI code page.
inline constexpr unsigned systemCodePage = 0;
inline constexpr unsigned shiftJis = 932;

std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

// The text in the code page; nothing when one of its characters has no exact form there, so a
// path is never passed on with a '?' in place of a letter.
std::optional<std::string> codePageFromUtf8(std::string_view text, unsigned codePage = systemCodePage);
std::string utf8FromCodePage(std::string_view text, unsigned codePage = systemCodePage);
// The text's first `limit` bytes in the code page, or fewer where a character would be split,
// in UTF-8.
std::string utf8FromCodePagePrefix(std::string_view text, std::size_t limit, unsigned codePage = systemCodePage);

// Copies as much of the UTF-8 text as fits in capacity - 1 bytes, never part of a character,
// and ends it with a NUL; returns the bytes copied.
std::size_t copyUtf8(std::string_view text, char* buffer, std::size_t capacity);

}  // namespace platform::win32

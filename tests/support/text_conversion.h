#pragma once
// Text from one encoding to another by iconv's names ("UTF-8", "CP932"), for the tests of files
// the Windows build writes in a code page.
#include <optional>
#include <string>

namespace testing_support {

// Nothing when the text does not convert whole.
std::optional<std::string> convertText(const char* to, const char* from, std::string text);

// UTF-8 text in Shift-JIS (code page 932), as Japanese Windows writes it.
inline std::optional<std::string> shiftJis(const std::string& utf8) { return convertText("CP932", "UTF-8", utf8); }

}  // namespace testing_support

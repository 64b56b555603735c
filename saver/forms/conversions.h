#pragma once
// The number and text conversions the saver's forms and modules rely on, with the rules of the
// forms runtime they were written for.
#include <cstdint>
#include <optional>
#include <string>

namespace forms {

// The leading-number rule: blanks anywhere are ignored, reading stops at the first character
// that cannot continue the number, no number at all gives 0. "&H" and "&O" read hex and octal.
double leadingNumber(const std::string& text);

// A text that is a number as a whole (blanks around it allowed), else nothing.
std::optional<double> parseNumber(const std::string& text);

// Conversion to a 16-bit integer, rounding halves to the even neighbour; nothing when the
// value is out of range.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

// Rounds down to the next integer: 1.9 gives 1, -0.5 gives -1.
double roundDown(double value);

// The "##" format: digits without leading zeros, the empty text for 0.
std::string formatHashHash(long value);

// Upper-cases the ASCII letters and leaves every other byte as it is.
std::string upperCase(const std::string& text);

}  // namespace forms

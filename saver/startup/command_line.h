#pragma once
// What start-up reads from the command text (the arguments without the program path).
#include <cstdint>
#include <optional>
#include <string>

// The second character of the upper-cased text, the only one looked at: /s, -S and /S all give
// "S". Empty when the text has fewer than two characters.
std::string modeLetter(const std::string& commandText);

// The preview's parent window from the fourth character on, read by the leading-number rule
// (/p 1234 and /p:1234 both give 1234; no number gives 0). An X window id as xwininfo prints
// it, 0x1a00003, is read as hexadecimal. Nothing when the number is beyond 32 bits.
std::optional<std::int32_t> previewParentHandle(const std::string& commandText);

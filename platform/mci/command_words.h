#pragma once
// A command string split into its words. Words are separated by blanks; a word that starts
// with a double quote runs to the next double quote and is one word whatever it holds (blanks,
// semicolons), so a file path needs no escaping. Nothing here ever reaches a shell.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/mci/error_codes.h"

namespace platform::mci {

struct CommandWord {
    std::string text;
    bool quoted = false;
};

// The words, or MCIERR_NO_CLOSING_QUOTE / MCIERR_EXTRA_CHARACTERS for a malformed quote.
std::variant<std::vector<CommandWord>, MciError> splitCommand(std::string_view command);

// ASCII case-insensitive comparison: command keywords, device names and aliases ignore case.
bool sameName(std::string_view a, std::string_view b);

}  // namespace platform::mci

#include "platform/mci/command_words.h"

namespace platform::mci {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::variant<std::vector<CommandWord>, MciError> splitCommand(std::string_view command)
{
    std::vector<CommandWord> words;
    std::size_t at = 0;
    while (true) {
        while (at < command.size() && isBlank(command[at]))
            ++at;
        if (at == command.size())
            return words;
        if (command[at] == '"') {
            const std::size_t closing = command.find('"', at + 1);
            if (closing == std::string_view::npos)
                return MCIERR_NO_CLOSING_QUOTE;
            words.push_back({std::string(command.substr(at + 1, closing - at - 1)), true});
            at = closing + 1;
            if (at < command.size() && !isBlank(command[at]))
                return MCIERR_EXTRA_CHARACTERS;
        } else {
            const std::size_t start = at;
            while (at < command.size() && !isBlank(command[at]))
                ++at;
            words.push_back({std::string(command.substr(start, at - start)), false});
        }
    }
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

}  // namespace platform::mci

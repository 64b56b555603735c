#include "saver/startup/command_line.h"

#include <cstdlib>

#include "saver/forms/conversions.h"

std::string modeLetter(const std::string& commandText)
{
    if (commandText.size() < 2)
        return {};
    return forms::upperCase(commandText.substr(1, 1));
}

std::optional<std::int32_t> previewParentHandle(const std::string& commandText)
{
    const std::string number = commandText.size() > 3 ? commandText.substr(3) : std::string();
    const std::size_t start = number.find_first_not_of(' ');
    const bool hexadecimal = start != std::string::npos && number.size() - start > 2 && number[start] == '0' &&
                             (number[start + 1] == 'x' || number[start + 1] == 'X');
    if (hexadecimal)
        return forms::toInt32(static_cast<double>(std::strtoull(number.c_str() + start + 2, nullptr, 16)));
    return forms::toInt32(forms::leadingNumber(number));
}

#include "saver/forms/conversions.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace forms {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string withoutBlanks(const std::string& text)
{
    std::string compact;
    for (char c : text)
        if (!isBlank(c))
            compact += c;
    return compact;
}

// Reads a decimal number from the start of the text; `used` tells how many characters it took.
double readDecimal(const std::string& text, std::size_t& used)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    int digits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
            ++digits;
    }
    if (digits == 0) {
        used = 0;
        return 0;
    }
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    std::string number = text.substr(0, i);
    for (char& c : number)
        if (c == 'd' || c == 'D')
            c = 'e';
    used = i;
    return std::strtod(number.c_str(), nullptr);
}

// "&H1F" and "&O17": the digits after the prefix in base 16 or 8.
std::optional<double> readPrefixed(const std::string& text, std::size_t& used)
{
    if (text.size() < 2 || text[0] != '&')
        return std::nullopt;
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
    if (base == 0)
        return std::nullopt;
    std::size_t i = 2;
    double value = 0;
    for (; i < text.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 99;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    used = i;
    return value;
}

}  // namespace

double leadingNumber(const std::string& text)
{
    const std::string compact = withoutBlanks(text);
    std::size_t used = 0;
    if (auto prefixed = readPrefixed(compact, used))
        return *prefixed;
    return readDecimal(compact, used);
}

std::optional<double> parseNumber(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t\r\n");
    const std::string core = text.substr(first, last - first + 1);
    std::size_t used = 0;
    std::optional<double> value = readPrefixed(core, used);
    if (!value) {
        const double decimal = readDecimal(core, used);
        if (used > 0)
            value = decimal;
    }
    if (!value || used != core.size() || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

namespace {

template <typename Integer>
std::optional<Integer> roundedToRange(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default rounding: halves to even
    if (rounded < double(std::numeric_limits<Integer>::min()) || rounded > double(std::numeric_limits<Integer>::max()))
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

}  // namespace

std::optional<std::int16_t> toInt16(double value) { return roundedToRange<std::int16_t>(value); }
std::optional<std::int32_t> toInt32(double value) { return roundedToRange<std::int32_t>(value); }

double roundDown(double value) { return std::floor(value); }

std::string formatHashHash(long value) { return value == 0 ? std::string() : std::to_string(value); }

std::string upperCase(const std::string& text)
{
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

}  // namespace forms

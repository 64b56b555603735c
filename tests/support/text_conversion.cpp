#include "tests/support/text_conversion.h"

#include <iconv.h>

namespace testing_support {

std::optional<std::string> convertText(const char* to, const char* from, std::string text)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(text.size() * 4 + 1, '\0');  // room for any of these encodings
    char *source = text.data(), *target = out.data();
    std::size_t left = text.size(), room = out.size();
    const bool converted = iconv(converter, &source, &left, &target, &room) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!converted)
        return std::nullopt;
    out.resize(out.size() - room);
    return out;
}

}  // namespace testing_support

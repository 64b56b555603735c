#include "platform/x11/fltk/file_filter.h"

#include <cctype>
#include <vector>

namespace platform {
namespace {

// The NUL-ended texts of a filter; an empty text ends the list.
std::vector<std::string> filterTexts(const std::string& filter)
{
    std::vector<std::string> texts;
    for (std::size_t start = 0; start < filter.size();) {
        std::size_t end = filter.find('\0', start);
        if (end == std::string::npos)
            end = filter.size();
        if (end == start)
            break;
        texts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    return texts;
}

std::string caselessPattern(const std::string& pattern)
{
    std::string caseless;
    for (char c : pattern) {
        const auto letter = static_cast<unsigned char>(c);
        if (std::isalpha(letter))
            caseless += std::string("[") + char(std::tolower(letter)) + char(std::toupper(letter)) + "]";
        else
            caseless += c;
    }
    return caseless;
}

// The toolkit takes a description's first parenthesis for the start of its pattern, so the
// description's own parentheses are shown as their full-width forms.
std::string toolkitDescription(const std::string& description)
{
    std::string shown;
    for (char c : description)
        shown += c == '(' ? "\uFF08" : c == ')' ? "\uFF09" : std::string(1, c);
    return shown;
}

}  // namespace

std::string caselessToolkitFilter(const std::string& windowsFilter)
{
    const std::vector<std::string> texts = filterTexts(windowsFilter);
    std::string toolkit;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        std::vector<std::string> patterns;
        const std::string& list = texts[i + 1];
        for (std::size_t start = 0; start <= list.size();) {
            std::size_t end = list.find(';', start);
            if (end == std::string::npos)
                end = list.size();
            if (end > start)
                patterns.push_back(caselessPattern(list.substr(start, end - start)));
            start = end + 1;
        }
        if (patterns.empty())
            continue;
        // Several patterns become the toolkit's alternatives in braces.
        std::string joined = patterns[0];
        if (patterns.size() > 1) {
            joined = "{" + patterns[0];
            for (std::size_t p = 1; p < patterns.size(); ++p)
                joined += "," + patterns[p];
            joined += "}";
        }
        if (!toolkit.empty())
            toolkit += '\n';
        toolkit += toolkitDescription(texts[i]);
        toolkit += '\t';
        toolkit += joined;
    }
    return toolkit;
}

}  // namespace platform

#pragma once
// OpenGL's extension strings, shared by the GLX and WGL contexts: names separated by blanks.
#include <cstring>

namespace platform::internal {

// Whether the list holds the name as a whole word: a name can be the start of a longer one.
inline bool hasExtension(const char* extensions, const char* name)
{
    const std::size_t length = std::strlen(name);
    for (const char* at = extensions; at && (at = std::strstr(at, name)); at += length) {
        const bool startsWord = at == extensions || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

}  // namespace platform::internal

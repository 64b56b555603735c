// The platform's header comes before <windows.h>, whose macros carry the names of its codes.
#include "platform/shell_execute.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {
namespace {

// An empty text is no text at all to the call: the default verb, no parameters, this folder.
const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

std::intptr_t shellExecute(NativeWindow owner, const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory, int showCommand)
{
    return reinterpret_cast<std::intptr_t>(ShellExecuteA(reinterpret_cast<HWND>(owner), orNull(verb), file.c_str(),
                                                         orNull(parameters), orNull(directory), showCommand));
}

}  // namespace platform

// The platform's header comes before <windows.h>, whose macros carry the names of its codes.
#include "platform/shell_execute.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

// An empty text is no text at all to the call: the default verb, no parameters, this folder.
const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

// The wide call: a document's path or an address may hold what the code page can't spell.
std::intptr_t shellExecute(NativeWindow owner, const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory, int showCommand)
{
    const std::wstring wideVerb = win32::wideFromUtf8(verb), wideFile = win32::wideFromUtf8(file),
                       wideParameters = win32::wideFromUtf8(parameters),
                       wideDirectory = win32::wideFromUtf8(directory);
    return reinterpret_cast<std::intptr_t>(ShellExecuteW(reinterpret_cast<HWND>(owner), orNull(wideVerb),
                                                         wideFile.c_str(), orNull(wideParameters),
                                                         orNull(wideDirectory), showCommand));
}

}  // namespace platform

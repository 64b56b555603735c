#include "platform/win32/ansi_file_name.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"

namespace platform::win32 {
namespace {

// The folder's short name, or its long one where the volume keeps no short names.
std::wstring shortName(const std::wstring& folder)
{
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetShortPathNameW(folder.c_str(), name.data(), static_cast<DWORD>(name.size()))) > name.size())
        name.resize(length);
    name.resize(length);
    return name;
}

}  // namespace

std::optional<std::string> ansiFileName(const std::string& path)
{
    if (auto spelt = codePageFromUtf8(path))
        return spelt;
    // The file itself may not exist yet (a first write): only its folder has a short name.
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string::npos)
        return std::nullopt;
    const std::wstring folder = shortName(wideFromUtf8(path.substr(0, separator)));
    const auto spelt = codePageFromUtf8(utf8FromWide(folder) + path.substr(separator));
    if (folder.empty() || !spelt)
        return std::nullopt;
    return spelt;
}

}  // namespace platform::win32

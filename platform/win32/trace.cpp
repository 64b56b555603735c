#include "platform/trace.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

// The program's file name, in UTF-8 as every text of ours.
const std::string& programName()
{
    static const std::string name = [] {
        wchar_t path[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        const std::wstring full = path;
        return win32::utf8FromWide(full.substr(full.find_last_of(L'\\') + 1));
    }();
    return name;
}

}  // namespace

void trace(const char* stage)
{
    static const bool enabled = std::getenv("HOARVEIL_TRACE") != nullptr;
    if (!enabled)
        return;
    LARGE_INTEGER count{}, frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    std::fprintf(stderr, "hoarveil-trace %s %.3f %s\n", programName().c_str(), count.QuadPart * 1e3 / frequency.QuadPart,
                 stage);
    std::fflush(stderr);
}

}  // namespace platform

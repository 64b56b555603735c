#include "platform/trace.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

const char* programName()
{
    static char path[MAX_PATH] = "";
    if (!*path)
        GetModuleFileNameA(nullptr, path, sizeof path);
    const char* slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
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
    std::fprintf(stderr, "hoarveil-trace %s %.3f %s\n", programName(), count.QuadPart * 1e3 / frequency.QuadPart,
                 stage);
    std::fflush(stderr);
}

}  // namespace platform

#include "platform/trace.h"

#include <errno.h>  // program_invocation_short_name

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace platform {

void trace(const char* stage)
{
    static const bool enabled = std::getenv("HOARVEIL_TRACE") != nullptr;
    if (!enabled)
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "hoarveil-trace %s %.3f %s\n", program_invocation_short_name,
                 now.tv_sec * 1e3 + now.tv_nsec / 1e6, stage);
}

}  // namespace platform

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "bench/frame_loop.h"
#include "bench/process_cpu_linux.h"

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double cpuSecondsOf(pid_t process)
{
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string field;
    unsigned long ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i)
        if (i == 14 || i == 15)  // user and system time
            ticks += std::stoul(field);
    return double(ticks) / sysconf(_SC_CLK_TCK);
}

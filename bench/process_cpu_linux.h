#pragma once
// Another process's CPU time (a server beside the renderer), from /proc.
#include <sys/types.h>

double cpuSecondsOf(pid_t process);

// What a process uses over a stretch of time, marked by its beginning and its end.
class CpuStretch {
public:
    explicit CpuStretch(pid_t process) : process(process) {}
    void mark(bool beginning)
    {
        const double now = cpuSecondsOf(process);
        if (beginning)
            start = now;
        else
            used = now - start;
    }
    double seconds() const { return used; }

private:
    pid_t process;
    double start = 0, used = 0;
};

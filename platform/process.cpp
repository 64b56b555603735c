#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <atomic>
#include <fstream>
#include <iterator>
#include <vector>

extern char** environ;

namespace platform {
namespace {

// The children this process started and has not reaped yet. Only these are waited for, so a
// library that runs and waits for its own children is never robbed of their exit status.
struct StartedChildren {
    std::array<std::atomic<pid_t>, 32> pids{};
    bool reaperInstalled = false;
};

StartedChildren& children()
{
    static StartedChildren record;
    return record;
}

void reapFinished(int)
{
    const int savedErrno = errno;
    for (auto& slot : children().pids) {
        const pid_t pid = slot.load();
        if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == pid)
            slot.store(0);
    }
    errno = savedErrno;
}

void installReaper()
{
    auto& record = children();
    if (record.reaperInstalled)
        return;
    struct sigaction action = {};
    action.sa_handler = reapFinished;
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigemptyset(&action.sa_mask);
    sigaction(SIGCHLD, &action, nullptr);
    record.reaperInstalled = true;
}

bool remember(pid_t pid)
{
    for (auto& slot : children().pids) {
        pid_t empty = 0;
        if (slot.compare_exchange_strong(empty, pid))
            return true;
    }
    return false;
}

// posix_spawn or, looking the program up on PATH, posix_spawnp; the child is remembered for reaping.
int spawn(const std::vector<std::string>& arguments, bool searchPath)
{
    if (arguments.empty())
        return 0;
    installReaper();

    // SIGCHLD stays blocked until the child is on the list, so an early exit is still reaped.
    sigset_t childSignal, previous;
    sigemptyset(&childSignal);
    sigaddset(&childSignal, SIGCHLD);
    sigprocmask(SIG_BLOCK, &childSignal, &previous);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGCHLD);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int failed = (searchPath ? posix_spawnp : posix_spawn)(&pid, argv[0], nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (!failed && !remember(pid))
        pid = -pid;  // no free slot: left to the exit of this process
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (failed)
        return 0;
    return pid < 0 ? -pid : pid;
}

}  // namespace

std::string commandText()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string all{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // Each argument ends in a NUL; the first is the program path.
    std::vector<std::string> arguments;
    for (std::size_t start = 0; start < all.size();) {
        const std::size_t end = all.find('\0', start);
        arguments.push_back(all.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::string text;
    for (std::size_t i = 1; i < arguments.size(); ++i)
        text += (i > 1 ? " " : "") + arguments[i];
    return text;
}

int startProgram(const std::string& path)
{
    return spawn({path}, false);
}

int startCommand(const std::vector<std::string>& arguments)
{
    return spawn(arguments, true);
}

void endProcess(int exitCode)
{
    _exit(exitCode);
}

}  // namespace platform

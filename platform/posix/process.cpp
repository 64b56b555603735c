#include "platform/process.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/posix/start_command.h"

extern char** environ;

namespace platform {
namespace {

// The children this process started and has not reaped yet. Only these are waited for, so a
// library that runs and waits for its own children is never robbed of their exit status.
struct StartedChildren {
    std::array<std::atomic<pid_t>, 32> pids{};
    // Per slot: the child ends with us, so the end of this process may wait for it.
    std::array<std::atomic<bool>, 32> endsWithUs{};
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

bool remember(pid_t pid, bool endsWithUs)
{
    auto& record = children();
    for (std::size_t i = 0; i < record.pids.size(); ++i) {
        pid_t empty = 0;
        if (record.pids[i].compare_exchange_strong(empty, pid)) {
            record.endsWithUs[i] = endsWithUs;
            return true;
        }
    }
    return false;
}

// Reaps the started children that end with us and have finished; true when none is left.
bool reapProgramsEndingWithUs()
{
    auto& record = children();
    bool allEnded = true;
    for (std::size_t i = 0; i < record.pids.size(); ++i) {
        pid_t pid = record.pids[i].load();
        if (pid <= 0 || !record.endsWithUs[i])
            continue;
        // -1 (ECHILD): the SIGCHLD handler reaped it first.
        if (waitpid(pid, nullptr, WNOHANG) == 0)
            allEnded = false;
        else
            record.pids[i].compare_exchange_strong(pid, 0);
    }
    return allEnded;
}

// In the child of vfork, which runs on our memory until its exec: every handler of ours goes
// back to the default, so none can run there, and SIGPIPE too, which a program expects at its
// default. The end signals are then at their default until the program catches them itself.
void defaultSignalsForChild()
{
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    for (int signal = 1; signal < NSIG; ++signal) {
        struct sigaction current;
        if (sigaction(signal, nullptr, &current) != 0)
            continue;
        if ((current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN) || signal == SIGPIPE)
            sigaction(signal, &defaultAction, nullptr);
    }
}

// Starts the program without waiting; the child is remembered for reaping. A program that
// ends with us is asked to end (SIGTERM) however this process dies.
int spawn(const std::vector<std::string>& arguments, bool searchPath, bool endsWithUs)
{
    if (arguments.empty())
        return 0;
    installReaper();

    // Every signal stays blocked until the child has exec'd (no handler of ours may run in it)
    // and SIGCHLD until the child is on the list, so an early exit is still reaped.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    volatile int execError = 0;
    // vfork: we wait only for the exec, without copying our memory (a screen-sized photograph).
    // The child makes only async-signal-safe calls: the saver has threads (audio).
    const pid_t child = vfork();
    if (child == 0) {
        // The request survives exec; if we died before it was made, the program is not
        // started at all.
        if (endsWithUs) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent)
                _exit(127);
        }
        defaultSignalsForChild();
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (searchPath)
            execvp(argv[0], argv.data());
        else
            execve(argv[0], argv.data(), environ);
        execError = errno;
        _exit(127);
    }
    pid_t pid = child;
    if (pid > 0 && execError != 0) {
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    const bool failed = pid < 0;
    if (!failed && !remember(pid, endsWithUs))
        pid = -pid;  // no free slot: left to the exit of this process
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
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
    // The renderer ends with us: outliving its saver, it would hold the screen and the keyboard
    // with nobody left to end it.
    return spawn({path}, false, true);
}

int startCommand(const std::vector<std::string>& arguments)
{
    // What the desktop opens an address with lives on after the dialog that asked for it.
    return spawn(arguments, true, false);
}

bool startedProgramRunning() { return !reapProgramsEndingWithUs(); }

bool waitForStartedPrograms(int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!reapProgramsEndingWithUs()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void endProcess(int exitCode)
{
    _exit(exitCode);
}

}  // namespace platform

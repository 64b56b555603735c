#include "platform/process.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform {
namespace {

// The processes startProgram started, kept while they run so that our end can wait for theirs.
std::vector<HANDLE>& startedProcesses()
{
    static std::vector<HANDLE> handles;
    return handles;
}

}  // namespace

std::string commandText()
{
    // The command line's first word is the program, in quotes when its path has blanks.
    const char* text = GetCommandLineA();
    if (*text == '"') {
        ++text;
        while (*text && *text != '"')
            ++text;
        if (*text == '"')
            ++text;
    } else {
        while (*text && *text != ' ' && *text != '\t')
            ++text;
    }
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}

int startProgram(const std::string& path)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 0;
    // Not waited for: the program runs on its own; only an end of ours may wait for it.
    CloseHandle(started.hThread);
    startedProcesses().push_back(started.hProcess);
    return static_cast<int>(started.dwProcessId);
}

bool startedProgramRunning()
{
    // The handles of programs that have ended are let go here.
    std::erase_if(startedProcesses(), [](HANDLE process) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
            return false;
        CloseHandle(process);
        return true;
    });
    return !startedProcesses().empty();
}

bool waitForStartedPrograms(int milliseconds)
{
    const auto& handles = startedProcesses();
    if (!handles.empty()) {
        // At most MAXIMUM_WAIT_OBJECTS at once: more than a few never run.
        const DWORD count = static_cast<DWORD>(std::min<std::size_t>(handles.size(), MAXIMUM_WAIT_OBJECTS));
        WaitForMultipleObjects(count, handles.data(), TRUE, static_cast<DWORD>(milliseconds));
    }
    return !startedProgramRunning();
}

void endProcess(int exitCode)
{
    // At once, as on POSIX: no atexit handler, destructor or library detach runs. A library's
    // detach could still be tearing down its own threads (the system's sound player closing
    // the device the show just stopped), and under Wine that end has crashed the process.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    std::_Exit(exitCode);  // not reached
}

}  // namespace platform

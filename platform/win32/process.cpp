#include "platform/process.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

// The processes startProgram started, kept while they run so that our end can wait for theirs.
std::vector<HANDLE>& startedProcesses()
{
    static std::vector<HANDLE> handles;
    return handles;
}

// A job whose processes end when its last handle closes. Only this process holds that handle,
// and the system closes it however we end (TerminateProcess, Task Manager, a crash), so a
// program started into it never outlives us: a renderer left full screen after its saver died
// would cover the desktop until someone found the Esc key.
class KillOnCloseJob {
public:
    KillOnCloseJob() : job(CreateJobObjectW(nullptr, nullptr))
    {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (job && !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
            CloseHandle(job);
            job = nullptr;
        }
    }
    ~KillOnCloseJob()
    {
        if (job)
            CloseHandle(job);
    }
    KillOnCloseJob(const KillOnCloseJob&) = delete;
    KillOnCloseJob& operator=(const KillOnCloseJob&) = delete;

    // False where the system refuses: before Windows 8 a process already in a job (ours, when
    // whoever started us put us in one) can't join a second one.
    bool take(HANDLE process) const { return job && AssignProcessToJobObject(job, process); }

private:
    HANDLE job;
};

const KillOnCloseJob& startedProgramsJob()
{
    static const KillOnCloseJob job;
    return job;
}

}  // namespace

std::string commandText()
{
    // The command line's first word is the program, in quotes when its path has blanks. The
    // wide text: the program's path may hold what the code page can't spell.
    const wchar_t* text = GetCommandLineW();
    if (*text == L'"') {
        ++text;
        while (*text && *text != L'"')
            ++text;
        if (*text == L'"')
            ++text;
    } else {
        while (*text && *text != L' ' && *text != L'\t')
            ++text;
    }
    while (*text == L' ' || *text == L'\t')
        ++text;
    return win32::utf8FromWide(text);
}

int startProgram(const std::string& path)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    const std::wstring program = win32::wideFromUtf8(path);
    // Suspended until it is in the job, so that not one of its instructions runs outside it.
    if (!CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &started))
        return 0;
    // Where the job is refused, the program runs on its own, as it always has.
    startedProgramsJob().take(started.hProcess);
    ResumeThread(started.hThread);
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

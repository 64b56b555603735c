#include "platform/process.h"

#include <windows.h>

#include <cstdlib>

namespace platform {

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
    // Not waited for: the program runs on its own, and its handles are of no further use here.
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return static_cast<int>(started.dwProcessId);
}

void endProcess(int exitCode)
{
    // As on POSIX: straight to ExitProcess, with no atexit handler or destructor run first.
    std::_Exit(exitCode);
}

}  // namespace platform

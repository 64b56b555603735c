// A program the saver starts (the renderer) never outlives the saver, however the saver ends:
// ended from outside as Task Manager ends it, or after a crash.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/executable_folder.h"
#include "platform/process.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

namespace {

std::string probe() { return platform::executableFolder() + "\\platform_probe.exe"; }

// A process of ours, ended and let go with the test.
class Started {
public:
    explicit Started(std::string commandLine)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (CreateProcessA(probe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &info))
            CloseHandle(info.hThread);
    }
    ~Started()
    {
        if (info.hProcess) {
            TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
        }
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    HANDLE process() const { return info.hProcess; }

private:
    PROCESS_INFORMATION info{};
};

// The process id the file holds once the probe has written it; 0 when it hasn't within 30 s.
DWORD processIdIn(const std::string& file, HANDLE writer)
{
    for (int tries = 0; tries < 300; ++tries) {
        std::ifstream in(file);
        DWORD id = 0;
        if (in >> id)
            return id;
        // Waiting on the writer: it ends only when it failed.
        if (WaitForSingleObject(writer, 100) == WAIT_OBJECT_0)
            return 0;
    }
    return 0;
}

TEST(StartedProgram, EndsWhenItsStarterIsEndedFromOutside)
{
    testing_support::TempFolder temporary;
    const std::string idFile = temporary.path() + "\\started.txt";
    SetEnvironmentVariableA("HOARVEIL_PROBE_LINGER", "1");
    Started starter("platform_probe start \"" + probe() + "\" \"" + idFile + "\"");
    SetEnvironmentVariableA("HOARVEIL_PROBE_LINGER", nullptr);
    ASSERT_TRUE(starter.process());
    const DWORD startedId = processIdIn(idFile, starter.process());
    ASSERT_NE(startedId, 0u);
    HANDLE started = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, startedId);
    ASSERT_TRUE(started);

    EXPECT_EQ(WaitForSingleObject(started, 0), WAIT_TIMEOUT) << "it runs while its starter does";
    BOOL inJob = FALSE;
    EXPECT_TRUE(IsProcessInJob(started, nullptr, &inJob) && inJob);

    // As Task Manager ends a process: no code of the starter's runs any more.
    ASSERT_TRUE(TerminateProcess(starter.process(), 1));
    const DWORD ended = WaitForSingleObject(started, 30000);
    if (ended != WAIT_OBJECT_0)
        TerminateProcess(started, 1);
    EXPECT_EQ(ended, WAIT_OBJECT_0) << "it went with its starter";
    CloseHandle(started);
}

}  // namespace

// The saver's process and folder calls on Windows: its own folder, the folders it makes, the
// argument text it reads, and the renderer started without a wait or a handle kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/directory.h"
#include "platform/executable_folder.h"
#include "platform/process.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

namespace {

const std::string& ownFolder()
{
    static const std::string folder = platform::executableFolder();
    return folder;
}

std::string probe() { return ownFolder() + "\\platform_probe.exe"; }

DWORD handleCount()
{
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

// Waits for the process to end; its exit code, or STILL_ACTIVE when it hasn't within 30 s.
DWORD exitCodeOf(int processId)
{
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(processId));
    if (!process)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

TEST(SaverPlatform, TheExecutableFolderHoldsTheProgram)
{
    EXPECT_TRUE(std::filesystem::exists(ownFolder() + "\\saver_platform_test.exe")) << ownFolder();
    EXPECT_NE(ownFolder().back(), '\\');
}

TEST(SaverPlatform, FoldersAreMadeOneLevelAtATime)
{
    testing_support::TempFolder temporary;
    const std::string folder = temporary.path() + "\\k_varo";
    EXPECT_FALSE(platform::createDirectory(folder + "\\inner", 0700)) << "its parent is missing";
    EXPECT_TRUE(platform::createDirectory(folder, 0700));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_FALSE(platform::createDirectory(folder, 0700)) << "it exists already";
    EXPECT_FALSE(platform::createDirectory("", 0700));
}

TEST(SaverPlatform, StartedProgramsRunOnTheirOwnAndLeaveNoHandleBehind)
{
    // The first start makes the job its programs run in, whose handle stays for good.
    ASSERT_GT(platform::startProgram(probe()), 0);
    EXPECT_TRUE(platform::waitForStartedPrograms(30000));
    const DWORD before = handleCount();
    // The probe without arguments ends at once with code 2.
    const int processId = platform::startProgram(probe());
    ASSERT_GT(processId, 0);
    EXPECT_EQ(exitCodeOf(processId), 2u);
    // Its handle is kept only for our end to wait on, and let go once it has ended.
    EXPECT_TRUE(platform::waitForStartedPrograms(5000));
    EXPECT_FALSE(platform::startedProgramRunning());
    EXPECT_EQ(handleCount(), before);
    EXPECT_EQ(platform::startProgram(ownFolder() + "\\no such program.exe"), 0);
    EXPECT_EQ(handleCount(), before);
}

// What Windows hands a screen saver: the program, often quoted, then its switch.
TEST(SaverPlatform, TheArgumentTextIsWhatFollowsTheProgram)
{
    testing_support::TempFolder temporary;
    const std::string output = temporary.path() + "\\command.txt";
    SetEnvironmentVariableA("HOARVEIL_PROBE_OUTPUT", output.c_str());
    const auto commandTextFor = [&](std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(probe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            return std::string("(not started)");
        WaitForSingleObject(started.hProcess, 30000);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        std::ifstream in(output, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    EXPECT_EQ(commandTextFor("\"C:\\Program Files\\Hoarveil\\Hoarveil.scr\" /p 1234"), "/p 1234");
    EXPECT_EQ(commandTextFor("C:\\WINDOWS\\Hoarveil.scr   /c:5678"), "/c:5678");
    EXPECT_EQ(commandTextFor("Hoarveil.scr /S"), "/S");
    EXPECT_EQ(commandTextFor("Hoarveil.scr"), "");
    SetEnvironmentVariableA("HOARVEIL_PROBE_OUTPUT", nullptr);
}

}  // namespace

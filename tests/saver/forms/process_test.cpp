// The process services the forms runtime relies on: programs started without waiting and
// never left as zombies, and folders made one level at a time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/directory.h"
#include "platform/process.h"
#include "tests/support/temp_folder.h"

namespace {

// A finished child that nobody reaped still answers kill(pid, 0); a reaped one is gone.
bool goneWithin(int pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (kill(pid, 0) != 0 && errno == ESRCH)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

}  // namespace

TEST(StartingAProgram, ReturnsAtOnceAndTheFinishedChildIsReaped)
{
    const auto before = std::chrono::steady_clock::now();
    const int sleeper = platform::startProgram("/bin/sleep");  // no arguments: exits at once with an error
    const int quick = platform::startProgram("/bin/true");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    ASSERT_GT(sleeper, 0);
    ASSERT_GT(quick, 0);
    EXPECT_TRUE(goneWithin(sleeper, std::chrono::seconds(5)));
    EXPECT_TRUE(goneWithin(quick, std::chrono::seconds(5)));
}

TEST(StartingAProgram, AMissingProgramGivesNoProcess)
{
    EXPECT_EQ(platform::startProgram("/nonexistent/Hoarveil.dll"), 0);
}

TEST(CreatingAFolder, MakesOneLevelWithTheModeAndReportsWhatItDid)
{
    const testing_support::TempFolder temporary;
    const std::string& base = temporary.path();
    EXPECT_TRUE(platform::createDirectory(base + "/k_varo", 0700));
    struct stat info;
    ASSERT_EQ(stat((base + "/k_varo").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_FALSE(platform::createDirectory(base + "/k_varo", 0700));  // exists already
    EXPECT_FALSE(platform::createDirectory(base + "/a/b", 0700));     // never its parents
    EXPECT_FALSE(std::filesystem::exists(base + "/a"));
    EXPECT_FALSE(platform::createDirectory("", 0700));
}

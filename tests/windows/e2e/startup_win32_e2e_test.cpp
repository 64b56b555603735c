// The Windows build's start-up under Wine, as the system and a user meet it: the preview in a
// host window of another program, the message when the renderer is missing, and one saver at a
// time beside a show or a settings dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "tests/support/file_text.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;
const std::string missingRendererLine = "Hoarveil\tHoarveil.dll が同じﾌｫﾙﾀﾞに見つかりません！\n";

class WindowsStartup : public ::testing::Test {
protected:
    explicit WindowsStartup(bool withRenderer = true)
        : screen(prefix, 1280, 1024, true), saver(prefix, windowsBuild, withRenderer)
    {
    }

    std::string display() { return screen.server().name(); }

    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen;
    WindowsSaver saver;
};

class WindowsStartupWithoutRenderer : public WindowsStartup {
protected:
    WindowsStartupWithoutRenderer() : WindowsStartup(false) {}
};

// Wine draws nothing that one process paints into a child window of another's (a plain FillRect
// doesn't show either), so what the preview shows is the Linux build's tests' to judge: here
// it is what the host holds, and how long.
TEST_F(WindowsStartup, ThePreviewBecomesItsHostsChildAtTheHostsSizeAndEndsWithIt)
{
    const std::string hostProgram = windowsBuild + "/tests/windows/preview_host.exe";
    for (const auto& [width, height] : {std::pair{152, 112}, std::pair{320, 240}}) {
        const std::string handleFile = prefix.linuxPath("C:\\host.txt"), childrenFile = prefix.linuxPath("C:\\held.txt");
        fs::remove(handleFile);
        auto host = prefix.start(hostProgram, {std::to_string(width), std::to_string(height), "C:\\host.txt"}, display());
        ASSERT_TRUE(waitUntil([&] { return !fileText(handleFile).empty(); }, 30s)) << host->errorOutput();
        auto preview = saver.start({"/p", fileText(handleFile)}, display());

        const std::string held = "Preview Window\t" + std::to_string(width) + "\t" + std::to_string(height) + "\t1\n";
        EXPECT_TRUE(waitUntil([&] {
            return prefix.run(hostProgram, {"children", "C:\\held.txt"}, display()) == 0 && fileText(childrenFile) == held;
        }, 30s)) << fileText(childrenFile);
        EXPECT_FALSE(preview->waitForExit(300ms).has_value()) << "it stays while the host does";
        EXPECT_FALSE(fs::exists(saver.bitmap(""))) << "nothing of the show ran";

        sendDeleteWindow(screen.display(), findWindowByTitle(screen.display(), "Preview host"));
        EXPECT_EQ(host->waitForExit(10s), 0);
        EXPECT_EQ(preview->waitForExit(10s), 0) << "the preview goes with its host";
    }
}

TEST_F(WindowsStartupWithoutRenderer, TheMissingRendererIsToldAndNothingElseOpens)
{
    const std::string log = prefix.linuxPath("C:\\messages.txt");
    fs::remove(log);
    auto saver = this->saver.start({"/c"}, display(), {{"HOARVEIL_MESSAGE_LOG", "C:\\messages.txt"}});
    ASSERT_TRUE(waitUntil([&] { return fileText(log) == missingRendererLine; }, 30s)) << fileText(log);
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(screen.display(), "Hoarveil") != 0; }, 10s));
    waitUntil([] { return false; }, 500ms);  // drawn
    takeScreenshot(screen.display()).save(::testing::TempDir() + "windows-missing-renderer.png");
    EXPECT_FALSE(saver->waitForExit(300ms).has_value()) << "it waits for the user";

    pressKey(screen.display(), "Return");
    EXPECT_EQ(saver->waitForExit(10s), 0);
    EXPECT_EQ(findWindowByTitle(screen.display(), "<Hoarveil>"), 0u) << "no settings dialog after it";
    EXPECT_EQ(fileText(log), missingRendererLine);
}

TEST_F(WindowsStartup, OneSaverAtATimeBesideAShowOrASettingsDialog)
{
    for (const auto& [mode, title] : {std::pair{"/s", "Hoarveil_VC"}, std::pair{"/c", "<Hoarveil>"}}) {
        auto running = saver.start({mode}, display());
        ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(screen.display(), title) != 0; }, 30s))
            << running->errorOutput();
        for (const char* second : {"/s", "/c"}) {
            auto another = saver.start({second}, display());
            EXPECT_EQ(another->waitForExit(15s), 0) << mode << " then " << second;
        }
        EXPECT_EQ(findWindowsByTitle(screen.display(), "<Hoarveil>").size(), mode == std::string("/c") ? 1u : 0u);
        EXPECT_EQ(findWindowsByTitle(screen.display(), "Hoarveil_VC").size(), mode == std::string("/s") ? 1u : 0u);
        screen.restore();
        running->waitForExit(10s);
    }
}

// What a user downloads: both programs and the read-me, and a saver that needs nothing but
// Windows' own DLLs beside it.
TEST(WindowsRelease, TheZipHoldsBothProgramsAndTheReadMeAndTheSaverImportsOnlySystemLibraries)
{
    const std::string listing = commandOutput("cmake -E tar tf '" + windowsBuild + "/Hoarveil-windows.zip'");
    EXPECT_EQ(listing, "Hoarveil.scr\nHoarveil.dll\nHoarveil-ReadMe.txt\n");
    const std::string readMe = fileText(windowsBuild + "/Hoarveil-ReadMe.txt");
    EXPECT_EQ(readMe.rfind("\xEF\xBB\xBF", 0), 0u) << "Notepad knows the Japanese by the byte-order mark";
    EXPECT_NE(readMe.find("%APPDATA%\\Hoarveil\\Hoarveil.ini.\r\n"), std::string::npos) << "Windows lines";
    EXPECT_NE(readMe.find("インストール"), std::string::npos);

    const std::string headers = programHeaders(windowsBuild + "/Hoarveil.scr");
    EXPECT_NE(headers.find("(Windows GUI)"), std::string::npos);
    const std::set<std::string> system = {"kernel32.dll", "user32.dll",   "gdi32.dll",   "msimg32.dll", "advapi32.dll",
                                          "winmm.dll",    "comdlg32.dll", "shell32.dll", "msvcrt.dll"};
    const std::set<std::string> imported = importedLibraries(headers);
    EXPECT_FALSE(imported.empty());
    for (const std::string& name : imported)
        EXPECT_TRUE(system.count(name)) << name << " is not one of Windows' own DLLs";
    // The music is the system's own media control interface, not a stand-in.
    EXPECT_NE(headers.find("mciSendStringA"), std::string::npos);
    EXPECT_EQ(headers.find("SetThreadExecutionState"), std::string::npos) << "the display follows the power plan";
}

}  // namespace

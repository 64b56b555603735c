// Hoarveil-setup.exe under Wine, as Windows users and their tools meet it: silent installs into
// a new prefix of the test's own (the run's shared one stays untouched), Hoarveil made the
// screen saver, its Apps & features entry, the show started from System32, installing again and
// while Hoarveil runs, and the uninstall that puts the earlier saver back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

#include "tests/saver/show/show_evidence.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wine_installer.h"
#include "tests/support/x_user.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;
// What the installer carries: the programs stripped as in the zip.
const std::string shipped = windowsBuild + "/packaging/windows/release/";

const std::string desktopKey = "HKCU\\Control Panel\\Desktop";
const std::string uninstallKeys = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string installedSaver = "C:\\windows\\system32\\Hoarveil.scr";
const std::string uninstaller = "C:\\Program Files\\Hoarveil\\Uninstall.exe";
const std::string earlierSaver = "C:\\windows\\system32\\Ribbons.scr";
// The saver's stages on its error output, for when a show doesn't come.
const std::map<std::string, std::string> traced = {{"HOARVEIL_TRACE", "1"}};

class WindowsInstaller : public ::testing::Test {
protected:
    WindowsInstaller() : prefix(WinePrefix::make(folder.path() + "/prefix")), screen(prefix, 1280, 1024, true) {}

    std::string display() { return screen.server().name(); }
    int install() { return runSilentlyToTheEnd(prefix, windowsBuild + "/Hoarveil-setup.exe", display()); }
    int uninstall() { return runSilentlyToTheEnd(prefix, uninstaller, display()); }
    std::string inSystem32(const std::string& name) { return prefix.linuxPath("C:\\windows\\system32\\" + name); }
    bool windowShown(const char* title) { return findWindowByTitle(screen.display(), title) != 0; }

    // Both programs in System32, byte for byte the shipped ones, and the read-me beside them.
    void expectProgramsInstalled()
    {
        for (const char* program : {"Hoarveil.scr", "Hoarveil.dll", "Hoarveil-ReadMe.txt"}) {
            const std::string wanted = fileText(shipped + program);
            EXPECT_FALSE(wanted.empty()) << program;
            EXPECT_TRUE(fileText(inSystem32(program)) == wanted) << program << " is not the shipped one";
        }
    }

    std::vector<std::string> hoarveilEntries()
    {
        std::vector<std::string> entries;
        for (const std::string& key : registrySubkeys(prefix, uninstallKeys))
            if (registryValues(prefix, key)["DisplayName"].find("Hoarveil") != std::string::npos)
                entries.push_back(key);
        return entries;
    }

    TempFolder folder;
    WinePrefix prefix;
    WineScreen screen;
};

TEST_F(WindowsInstaller, InstallsIntoSystem32AsTheSaverAndUninstallsBackToTheEarlierSaver)
{
    setRegistryValue(prefix, desktopKey, "SCRNSAVE.EXE", earlierSaver);
    setRegistryValue(prefix, desktopKey, "ScreenSaveActive", "0");
    setRegistryValue(prefix, desktopKey, "ScreenSaveTimeOut", "420");
    const std::string settings = applicationDataFolder(prefix) + "/Hoarveil/Hoarveil.ini";
    fs::create_directories(fs::path(settings).parent_path());
    std::ofstream(settings) << "[settings]\r\n";

    ASSERT_EQ(install(), 0);
    expectProgramsInstalled();
    auto desktop = registryValues(prefix, desktopKey);
    EXPECT_EQ(desktop["SCRNSAVE.EXE"], installedSaver);
    EXPECT_EQ(desktop["ScreenSaveActive"], "1");
    EXPECT_EQ(desktop["ScreenSaveTimeOut"], "420") << "the user's delay stays";

    const auto entries = hoarveilEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], "HKEY_LOCAL_MACHINE" + uninstallKeys.substr(4) + "\\Hoarveil");
    auto entry = registryValues(prefix, entries[0]);
    EXPECT_EQ(entry["DisplayName"], "Hoarveil");
    EXPECT_EQ(entry["DisplayVersion"], HOARVEIL_VERSION);
    EXPECT_FALSE(entry["Publisher"].empty());
    EXPECT_EQ(entry["DisplayIcon"], installedSaver);
    const auto shippedKilobytes = (fs::file_size(shipped + "Hoarveil.scr") + fs::file_size(shipped + "Hoarveil.dll")) / 1024;
    EXPECT_GE(std::stoul(entry["EstimatedSize"], nullptr, 16), shippedKilobytes);
    EXPECT_LE(std::stoul(entry["EstimatedSize"], nullptr, 16), shippedKilobytes + 64);
    EXPECT_EQ(entry["UninstallString"], "\"" + uninstaller + "\"");
    EXPECT_EQ(entry["QuietUninstallString"], "\"" + uninstaller + "\" /S");
    EXPECT_TRUE(fs::exists(prefix.linuxPath(uninstaller)));

    // Again, over itself: still one entry, and the earlier saver is still what comes back.
    ASSERT_EQ(install(), 0);
    expectProgramsInstalled();
    EXPECT_EQ(hoarveilEntries().size(), 1u);
    EXPECT_EQ(registryValues(prefix, desktopKey)["SCRNSAVE.EXE"], installedSaver);

    // The installed saver runs the show from System32. (Wine's own desktop process ends a
    // moment after the installer; a window made meanwhile can wait half a minute for it.)
    screen.restore();
    furnishDesktop(screen.display());
    auto show = prefix.start(installedSaver, {"/s"}, display(), traced);
    ASSERT_TRUE(waitUntil([&] { return windowShown("Hoarveil_VC"); }, 30s)) << show->errorOutput();
    const auto drawn = [](const Screenshot& shot) {  // the furnished desktop as the turning floor
        const FloorColours seen = floorColours(shot);
        return seen.red > 100 && seen.green > 100 && seen.blue > 1000;
    };
    const Screenshot shot = screenshotWhen(screen.display(), drawn, 30s);
    shot.save(::testing::TempDir() + "windows-installed-show.png");
    EXPECT_TRUE(drawn(shot));
    pressKey(screen.display(), "Escape");
    EXPECT_EQ(show->waitForExit(15s), 0);
    screen.restore();

    ASSERT_EQ(uninstall(), 0);
    for (const char* program : {"Hoarveil.scr", "Hoarveil.dll", "Hoarveil-ReadMe.txt"})
        EXPECT_FALSE(fs::exists(inSystem32(program))) << program;
    EXPECT_FALSE(fs::exists(prefix.linuxPath("C:\\Program Files\\Hoarveil"))) << "the uninstaller and its folder";
    desktop = registryValues(prefix, desktopKey);
    EXPECT_EQ(desktop["SCRNSAVE.EXE"], earlierSaver);
    EXPECT_EQ(desktop["ScreenSaveActive"], "0");
    EXPECT_EQ(desktop["ScreenSaveTimeOut"], "420");
    EXPECT_TRUE(hoarveilEntries().empty());
    EXPECT_TRUE(registryValues(prefix, "HKCU\\Software\\Hoarveil\\Setup").empty()) << "nothing of the install is left";
    EXPECT_EQ(fileText(settings), "[settings]\r\n") << "the user's settings stay";
}

TEST_F(WindowsInstaller, EndsARunningShowOrDialogBeforeReplacingOrRemovingThePrograms)
{
    ASSERT_EQ(install(), 0);
    screen.restore();

    auto show = prefix.start(installedSaver, {"/s"}, display(), traced);
    ASSERT_TRUE(waitUntil([&] { return windowShown("Hoarveil_VC"); }, 30s)) << show->errorOutput();
    ASSERT_EQ(install(), 0);
    EXPECT_EQ(show->waitForExit(15s), 0) << "the show ended as on Esc";
    EXPECT_FALSE(windowShown("Hoarveil_VC"));
    EXPECT_EQ(screenSize(screen.display()), screen.ownSize()) << "the renderer put the display back";
    expectProgramsInstalled();
    screen.restore();

    auto dialog = prefix.start(installedSaver, {"/c"}, display(), traced);
    ASSERT_TRUE(waitUntil([&] { return windowShown("<Hoarveil>"); }, 30s)) << dialog->errorOutput();
    ASSERT_EQ(uninstall(), 0);
    EXPECT_EQ(dialog->waitForExit(15s), 0) << "the dialog closed as by its close box";
    for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"})
        EXPECT_FALSE(fs::exists(inSystem32(program))) << program;
    EXPECT_TRUE(hoarveilEntries().empty());
    EXPECT_EQ(registryValues(prefix, desktopKey).count("SCRNSAVE.EXE"), 0u) << "there was no saver before";
}

// The installer speaks the system's language: Japanese on a Japanese system, else English.
TEST_F(WindowsInstaller, SpeaksJapaneseOnAJapaneseSystemAndEnglishElsewhere)
{
    const std::vector<std::pair<std::map<std::string, std::string>, std::string>> systems = {
        {{}, "Hoarveil Setup"}, {prefix.japaneseLocale(), "Hoarveil セットアップ"}};
    for (const auto& [locale, caption] : systems) {
        auto setup = prefix.start(windowsBuild + "/Hoarveil-setup.exe", {}, display(), locale);
        EXPECT_TRUE(waitUntil([&] { return windowShown(caption.c_str()); }, 30s)) << caption;
        waitUntil([] { return false; }, 500ms);  // drawn
        takeScreenshot(screen.display()).save(::testing::TempDir() + "windows-setup-" + caption.substr(9) + ".png");
        screen.restore();  // ends it on its welcome page, before it has changed anything
    }
    EXPECT_FALSE(fs::exists(inSystem32("Hoarveil.scr")));
}

// The preview in the Screen Saver Settings runs from the installed saver with no window of its
// own to close: a silent install or uninstall must then leave everything as it was.
TEST_F(WindowsInstaller, ChangesNothingWhileAnotherProgramHoldsTheInstalledSaver)
{
    ASSERT_EQ(install(), 0);
    setRegistryValue(prefix, desktopKey, "SCRNSAVE.EXE", earlierSaver);  // the user chose another since
    const std::string hostProgram = windowsBuild + "/tests/windows/preview_host.exe";
    const std::string handleFile = prefix.linuxPath("C:\\host.txt"), childrenFile = prefix.linuxPath("C:\\held.txt");
    auto host = prefix.start(hostProgram, {"152", "112", "C:\\host.txt"}, display());
    ASSERT_TRUE(waitUntil([&] { return !fileText(handleFile).empty(); }, 30s)) << host->errorOutput();
    auto preview = prefix.start(installedSaver, {"/p", fileText(handleFile)}, display());
    ASSERT_TRUE(waitUntil([&] {
        return prefix.run(hostProgram, {"children", "C:\\held.txt"}, display()) == 0 &&
               fileText(childrenFile).rfind("Preview Window\t", 0) == 0;
    }, 30s)) << preview->errorOutput();

    EXPECT_NE(install(), 0) << "the install gives up";
    EXPECT_EQ(registryValues(prefix, desktopKey)["SCRNSAVE.EXE"], earlierSaver);
    uninstall();
    expectProgramsInstalled();
    EXPECT_EQ(hoarveilEntries().size(), 1u);
    EXPECT_TRUE(fs::exists(prefix.linuxPath(uninstaller)));
    EXPECT_FALSE(preview->waitForExit(100ms).has_value()) << "the preview was left alone";
}

}  // namespace

// The Windows build installed in folders whose names are not ASCII, as users install it: a
// Western name under code page 1252, a Japanese user's Downloads under 932, and a Japanese name
// that 1252 can't spell. From each, the show runs and the settings dialog saves settings that
// the next start reads back.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "tests/saver/settings/dialog_look.h"
#include "tests/support/audio_tone.h"
#include "tests/support/file_text.h"
#include "tests/support/sound_server.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_conversion.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;
using namespace dialog_look;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;
const std::string missingRenderer = "Hoarveil.dll が同じﾌｫﾙﾀﾞに見つかりません！";

struct Install {
    const char* name;
    const char* folder;
    bool japaneseSystem;   // code page 932, else 1252
    bool settingsBeside;   // else in the user's %APPDATA%\Hoarveil
};

const Install installs[] = {
    {"WesternNameUnder1252", "C:\\José Müller", false, true},
    {"JapaneseDownloadsUnder932", "C:\\users\\山田\\Downloads\\Hoarveil", true, true},
    {"NameThatCodePage1252CantSpell", "C:\\ユーザー", false, false},
};

void PrintTo(const Install& install, std::ostream* out) { *out << install.folder; }

// The user's own settings folders of the prefix, whoever the user is.
std::vector<fs::path> userSettingsFolders(const WinePrefix& prefix)
{
    std::vector<fs::path> folders;
    for (const auto& user : fs::directory_iterator(prefix.linuxPath("C:\\users")))
        folders.push_back(user.path() / "AppData" / "Roaming" / "Hoarveil");
    return folders;
}

class FolderNames : public ::testing::TestWithParam<Install> {
protected:
    FolderNames() : screen(prefix, 1024, 768, true), saver(prefix, windowsBuild, true, GetParam().folder)
    {
        forgetUserSettings();
        // The system's code page: Japanese Windows' own, or a Western one; either way the file
        // names are Linux's UTF-8, as Wine finds them.
        environment = GetParam().japaneseSystem ? prefix.japaneseLocale()
                                                : std::map<std::string, std::string>{{"LC_ALL", "C.UTF-8"}};
        environment["HOARVEIL_MESSAGE_LOG"] = "C:\\messages.txt";
        fs::remove(prefix.linuxPath("C:\\messages.txt"));
    }
    ~FolderNames() override { forgetUserSettings(); }

    void forgetUserSettings()
    {
        for (const auto& folder : userSettingsFolders(prefix))
            fs::remove_all(folder);
    }

    Display* display() { return screen.display(); }
    std::string messages() { return fileText(prefix.linuxPath("C:\\messages.txt")); }

    // Where the saved settings are: beside the saver, or in the user's own folder.
    std::string settingsFile()
    {
        if (GetParam().settingsBeside)
            return saver.installed("Hoarveil.ini");
        for (const auto& folder : userSettingsFolders(prefix))
            if (fs::exists(folder / "Hoarveil.ini"))
                return folder / "Hoarveil.ini";
        return {};
    }

    // Opens the dialog and waits until it shows its shading and its panel; the inner area's
    // top-left corner on the screen.
    Spot openDialog()
    {
        dialog = saver.start({"/c"}, screen.server().name(), environment);
        ::Window window = 0;
        EXPECT_TRUE(waitUntil([&] { return (window = findWindowByTitle(display(), "<Hoarveil>")) != 0; }, 30s))
            << dialog->errorOutput() << messages();
        Spot origin{0, 0};
        EXPECT_TRUE(waitUntil([&] {
            if (!window || !viewable(display(), window))
                return false;
            XWindowAttributes attributes{};
            XGetWindowAttributes(display(), window, &attributes);
            ::Window child;
            int x = 0, y = 0;
            XTranslateCoordinates(display(), window, DefaultRootWindow(display()), 0, 0, &x, &y, &child);
            const int border = (attributes.width - dialogWidth) / 2;
            origin = {x + border, y + attributes.height - dialogHeight - border};
            const Screenshot shot = takeScreenshot(display());
            return near(shot.at(origin.x + 2, origin.y + 1), 0, 0, 30, 6) &&
                   shot.at(origin.x + 300, origin.y + 40).r > 120;
        }, 20s)) << dialog->errorOutput();
        return origin;
    }

    void clickAt(Spot origin, Spot spot)
    {
        movePointer(display(), origin.x + spot.x, origin.y + spot.y);
        waitUntil([] { return false; }, 150ms);
        click(display(), origin.x + spot.x, origin.y + spot.y);
    }

    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen;
    WindowsSaver saver;
    std::map<std::string, std::string> environment;
    std::unique_ptr<ChildProcess> dialog;
};

TEST_P(FolderNames, TheShowFindsItsRendererRunsAndEnds)
{
    auto show = saver.start({"/s"}, screen.server().name(), environment);
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(display(), "Hoarveil_VC") != 0; }, 30s))
        << show->errorOutput() << messages();
    EXPECT_TRUE(fs::exists(saver.bitmap("Hoarveil1.bmp"))) << "the photograph, for the renderer";
    ASSERT_TRUE(waitUntil([&] { return show->errorOutput().find(" first frame") != std::string::npos; }, 30s))
        << show->errorOutput();
    // Drawn: the window's own white has given way to the scene.
    const Screenshot shot = screenshotWhen(display(), [](const Screenshot& s) {
        return !near(s.at(s.width() / 2, s.height() / 2), 255, 255, 255, 0);
    }, 30s);
    shot.save(::testing::TempDir() + "windows-show-from-" + GetParam().name + ".png");
    pressKey(display(), "Escape");
    EXPECT_EQ(show->waitForExit(15s), 0) << show->errorOutput();
    EXPECT_EQ(messages().find(missingRenderer), std::string::npos) << messages();
}

TEST_P(FolderNames, TheDialogSavesSettingsThatTheNextStartReadsBack)
{
    Spot origin = openDialog();
    ASSERT_FALSE(HasFailure()) << messages();
    takeScreenshot(display()).save(::testing::TempDir() + "windows-dialog-from-" + GetParam().name + ".png");
    // The audio CD, track 7, saved.
    clickAt(origin, optionImage[1]);
    ASSERT_TRUE(waitUntil([&] {
        return near(takeScreenshot(display()).at(origin.x + comboText.x, origin.y + comboText.y), 255, 255, 255, 0);
    })) << "the combo box is enabled";
    clickAt(origin, comboText);
    pressKey(display(), "7");
    clickAt(origin, saveButton);
    ASSERT_TRUE(dialog->waitForExit(15s).has_value()) << "the dialog closes and the saver ends";

    const std::string file = settingsFile();
    ASSERT_FALSE(file.empty()) << "saved somewhere the user's settings live";
    EXPECT_EQ(fileText(file), *shiftJis("[Section]\r\nBGM区分=1\r\nBGMﾘﾋﾟｰﾄ=7\r\nBGMﾌｧｲﾙ=\r\n")) << file;
    EXPECT_EQ(fs::exists(saver.installed("Hoarveil.ini")), GetParam().settingsBeside);

    origin = openDialog();
    ASSERT_FALSE(HasFailure());
    const Screenshot shot = takeScreenshot(display());
    EXPECT_TRUE(dark(shot.at(origin.x + optionImage[1].x, origin.y + optionImage[1].y))) << "the audio CD, as saved";
    EXPECT_FALSE(dark(shot.at(origin.x + optionImage[0].x, origin.y + optionImage[0].y)));
    clickAt(origin, cancelButton);
    EXPECT_TRUE(dialog->waitForExit(15s).has_value());
}

// Neither program hands the system a path through a call that takes it in the code page, but
// for the settings file's own (its bytes are Japanese Windows').
TEST(FolderNamesInCalls, PathsGoThroughTheWideCalls)
{
    for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"}) {
        const std::string headers = programHeaders(windowsBuild + "/" + program);
        ASSERT_NE(headers.find("GetModuleHandle"), std::string::npos) << program << ": " << headers;
        for (const char* call : {"GetModuleFileNameA", "CreateProcessA", "CreateFileA", "ShellExecuteA",
                                 "SHGetFolderPathA", "GetCommandLineA", "PlaySoundA", "mciSendStringA",
                                 "FindFirstFileA", "GetFileAttributesA", "CreateDirectoryA", "DeleteFileA",
                                 "MoveFileExA", "GetOpenFileNameA", "LoadImageA"})
            EXPECT_EQ(headers.find(std::string(call) + "\n"), std::string::npos) << program << " imports " << call;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, FolderNames, ::testing::ValuesIn(installs),
                         [](const auto& info) { return std::string(info.param.name); });

// A Japanese user's music beside the saver in Downloads, its path 250 bytes of Shift-JIS (far
// more in UTF-8): saved once, it is still the music at the next show.
TEST(LongJapaneseMusicPath, StaysChosenAndPlays)
{
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen(prefix, 1024, 768, true);
    const std::string folder = "C:\\users\\山田\\Downloads\\Hoarveil";
    WindowsSaver saver(prefix, windowsBuild, true, folder);
    // 雪 is two bytes of Shift-JIS and three of UTF-8: a folder and a file named in it, each
    // within Linux's 255 bytes a name.
    std::string name;
    while (shiftJis(folder + "\\" + name + "\\" + name + "雪雪.wav")->size() <= 250)
        name += "雪";
    const std::size_t padding = 250 - shiftJis(folder + "\\" + name + "\\" + name + ".wav")->size();
    const std::string subfolder = std::string(padding, 'x') + name;
    const std::string path = folder + "\\" + subfolder + "\\" + name + ".wav";
    ASSERT_EQ(shiftJis(path)->size(), 250u);
    fs::create_directory(saver.installed(subfolder));
    writeWav(saver.installed(subfolder + "/" + name + ".wav"), stereoSine(660, 1.0));
    ASSERT_TRUE(fs::exists(saver.installed(subfolder + "/" + name + ".wav")));
    std::ofstream(saver.installed("Hoarveil.ini"), std::ios::binary)
        << *shiftJis("[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=0\r\nBGMﾌｧｲﾙ=" + path + "\r\n");

    TempFolder scratch;
    PrivateSoundServer sounds(scratch.path());
    auto environment = prefix.japaneseLocale();
    environment["PULSE_SERVER"] = sounds.address();
    auto show = saver.start({"/s"}, screen.server().name(), environment);
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(screen.display(), "Hoarveil_VC") != 0; }, 30s))
        << show->errorOutput();
    EXPECT_TRUE(waitUntil([&] {
        return show->errorOutput().find("PlaySound \"" + path + "\" started") != std::string::npos;
    }, 15s)) << show->errorOutput();
    // Drawing, so that it takes the Esc that ends the show.
    ASSERT_TRUE(waitUntil([&] { return show->errorOutput().find(" first frame") != std::string::npos; }, 30s))
        << show->errorOutput();
    pressKey(screen.display(), "Escape");
    EXPECT_EQ(show->waitForExit(15s), 0) << show->errorOutput();
}

}  // namespace

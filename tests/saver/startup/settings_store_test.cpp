// The saver's settings: what the INI file beside it says, with every fallback.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "saver/forms/conversions.h"
#include "saver/startup/settings_store.h"
#include "saver/startup/shared_settings.h"
#include "tests/support/temp_folder.h"

namespace {

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = temporary.path();
        Hoarveil_B.AppFolder = folder;
        Hoarveil_BGM = HoarveilBgmSettings{};
        music = folder + "/tune.mp3";
        std::ofstream(music) << "x";
    }

    void settings(const std::string& kind, const std::string& repeat, const std::string& file)
    {
        std::ofstream(folder + "/Hoarveil.ini") << "[Section]\nBGM区分=" << kind << "\nBGMﾘﾋﾟｰﾄ=" << repeat
                                                << "\nBGMﾌｧｲﾙ=" << file << "\n";
    }

    testing_support::TempFolder temporary;
    std::string folder, music;
};

TEST_F(SettingsStore, NoFileMeansNoMusicAndTheChooserStartsBesideTheSaver)
{
    LoadSettings();
    EXPECT_EQ(Hoarveil_BGM.BgmKind, 0);
    EXPECT_EQ(Hoarveil_BGM.BgmRepeat, 0);
    EXPECT_EQ(Hoarveil_BGM.BgmFile, "");
    EXPECT_EQ(Hoarveil_BGM.BgmFolder, folder);
}

TEST_F(SettingsStore, MusicFileThatIsGoneFallsBackToNoMusic)
{
    settings("2", "3", folder + "/gone.mp3");
    LoadSettings();
    EXPECT_EQ(Hoarveil_BGM.BgmKind, 0);
    EXPECT_EQ(Hoarveil_BGM.BgmRepeat, 3);
    EXPECT_EQ(Hoarveil_BGM.BgmFile, "");
}

TEST_F(SettingsStore, CdSourceKeepsAnExistingFileAndItsFolder)
{
    settings("1", "", music);
    LoadSettings();
    EXPECT_EQ(Hoarveil_BGM.BgmKind, 1);
    EXPECT_EQ(Hoarveil_BGM.BgmRepeat, 0);
    EXPECT_EQ(Hoarveil_BGM.BgmFile, music);
    EXPECT_EQ(Hoarveil_BGM.BgmFolder, folder);
}

TEST_F(SettingsStore, NumbersAreRoundedDownAndBadOnesLeaveTheValue)
{
    const std::pair<const char*, int> cases[] = {
        {"letters", 0}, {"1.9", 1}, {"-0.5", -1}, {"70000", 0}, {" 3 ", 3}, {"&H3", 3}, {"1e1", 10}, {"2x", 0},
    };
    for (const auto& [text, expected] : cases) {
        Hoarveil_BGM.BgmKind = 0;
        settings(text, "0", "");
        LoadSettings();
        EXPECT_EQ(Hoarveil_BGM.BgmKind, expected) << text;
    }
    Hoarveil_BGM.BgmRepeat = 7;
    settings("0", "seven", "");
    LoadSettings();
    EXPECT_EQ(Hoarveil_BGM.BgmRepeat, 7) << "a value that is not a number leaves the setting alone";
}

TEST_F(SettingsStore, WriteIniCutsSectionAndKeyTo128Characters)
{
    const std::string longKey = std::string(127, 'k') + "区区";
    EXPECT_EQ(WriteIni(std::string(130, 's'), longKey, "v", SettingsFile()), "");
    EXPECT_EQ(ReadIni(std::string(128, 's'), std::string(127, 'k') + "区", SettingsFile()), "v");
}

TEST_F(SettingsStore, SettingsGoToTheUserConfigWhenTheSaverFolderCannotBeWritten)
{
    EXPECT_EQ(SettingsFile(), folder + "/Hoarveil.ini");
    // A folder the saver can't write to (root writes anywhere that exists, so use one that
    // doesn't): saved settings must still land somewhere they can be read back.
    Hoarveil_B.AppFolder = folder + "/read-only-install";
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    EXPECT_EQ(SettingsFile(), folder + "/config/hoarveil/Hoarveil.ini");
    WriteIni(settingsSection, keyBgmKind, "1", SettingsFile());
    LoadSettings();
    EXPECT_EQ(Hoarveil_BGM.BgmKind, 1);
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsStore, AnInstalledCopyKeepsEachUsersSettingsOutOfItsFolderEvenWhenItCouldWrite)
{
    std::ofstream(folder + "/" + perUserSettingsMarker) << "settings live in each user's configuration folder\n";
    setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
    EXPECT_EQ(SettingsFile(), folder + "/config/hoarveil/Hoarveil.ini");
    WriteIni(settingsSection, keyBgmKind, "1", SettingsFile());
    LoadSettings();
    EXPECT_EQ(Hoarveil_BGM.BgmKind, 1);
    EXPECT_FALSE(std::ifstream(folder + "/Hoarveil.ini").good()) << "nothing written into the install folder";
    struct stat info {};
    ASSERT_EQ(stat((folder + "/config/hoarveil").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsStore, FileExistsOnlyForReadableFiles)
{
    EXPECT_TRUE(FileExists(music));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(folder + "/"));
    EXPECT_FALSE(FileExists(folder + "/gone"));
    EXPECT_FALSE(FileExists(""));
}

TEST(FolderOf, KeepsTheFolderPart)
{
    EXPECT_EQ(FolderOf("/music/a.mp3"), "/music");
    EXPECT_EQ(FolderOf("/a.mp3"), "/");
    EXPECT_EQ(FolderOf("song.wav"), "");
    EXPECT_EQ(FolderOf("/music/"), "/music");
}

TEST(Conversions, LeadingNumberRule)
{
    EXPECT_EQ(forms::leadingNumber(" 1234"), 1234);
    EXPECT_EQ(forms::leadingNumber(":1234"), 0);
    EXPECT_EQ(forms::leadingNumber("1 2 3x9"), 123);
    EXPECT_EQ(forms::leadingNumber("12.5e1abc"), 125);
    EXPECT_EQ(forms::leadingNumber("-7-"), -7);
    EXPECT_EQ(forms::leadingNumber("&H1F"), 31);
    EXPECT_EQ(forms::leadingNumber(""), 0);
    EXPECT_EQ(forms::leadingNumber("e5"), 0);
}

TEST(Conversions, WholeTextNumbersAndRounding)
{
    EXPECT_EQ(forms::parseNumber(" 2.5 "), 2.5);
    EXPECT_FALSE(forms::parseNumber("2.5x"));
    EXPECT_FALSE(forms::parseNumber(""));
    EXPECT_FALSE(forms::parseNumber("."));
    EXPECT_EQ(forms::toInt16(2.5), 2);
    EXPECT_EQ(forms::toInt16(3.5), 4);
    EXPECT_EQ(forms::toInt16(-3), -3);
    EXPECT_EQ(forms::toInt16(32767.4), 32767);
    EXPECT_FALSE(forms::toInt16(32767.5));
    EXPECT_FALSE(forms::toInt16(-32769));
    EXPECT_EQ(forms::roundDown(-0.5), -1);
    EXPECT_EQ(forms::formatHashHash(0), "");
    EXPECT_EQ(forms::formatHashHash(7), "7");
    EXPECT_EQ(forms::formatHashHash(30), "30");
    EXPECT_EQ(forms::upperCase("song.wav"), "SONG.WAV");
    EXPECT_EQ(forms::upperCase("区.mp3"), "区.MP3");
}

}  // namespace

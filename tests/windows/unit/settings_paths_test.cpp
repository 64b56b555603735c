// The saver's settings under the system code page of the run (1252 and 932 both run): a music
// path comes back whole whenever the code page holds it in 255 bytes, however long its UTF-8,
// what the code page can't spell is never stored broken, and a folder it can't spell still
// keeps settings that read back.
#include <gtest/gtest.h>

#include <string>

#include "platform/settings_folder.h"
#include "platform/win32/text_encoding.h"
#include "saver/startup/settings_store.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

namespace {

using platform::win32::codePageFromUtf8;
using platform::win32::wideFromUtf8;

bool japanese() { return GetACP() == 932; }

// A letter the run's code page holds in more bytes of UTF-8 than of its own.
std::string letter() { return japanese() ? "雪" : "é"; }
std::size_t letterBytes() { return japanese() ? 2 : 1; }

std::string repeated(const std::string& text, std::size_t count)
{
    std::string result;
    for (std::size_t i = 0; i < count; ++i)
        result += text;
    return result;
}

void makeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(path).c_str(), nullptr)); }

// The file's bytes, by a name the code page may not spell.
std::string bytesOf(const std::string& path)
{
    std::string bytes(4096, '\0');
    DWORD got = 0;
    HANDLE file = CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return bytes.substr(0, got);
}

void makeFile(const std::string& path)
{
    HANDLE file = CreateFileW(wideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
}

class SettingsPaths : public ::testing::Test {
protected:
    SettingsPaths() : ini(temporary.path() + "\\Hoarveil.ini")
    {
        const char* asked = std::getenv("HOARVEIL_WINE_CODE_PAGE");
        EXPECT_EQ(japanese(), asked && std::string(asked) == "932") << "Wine fell back to " << GetACP();
    }

    std::string readFile() const { return ReadIni(settingsSection, keyBgmFile, ini); }

    testing_support::TempFolder temporary;
    std::string ini;
};

TEST_F(SettingsPaths, AMusicPathOf250BytesInTheCodePageSavesAndReadsBackWhole)
{
    // The folder and the file each named in the letter, to 250 bytes in all.
    const std::size_t fixed = temporary.path().size() + std::string("\\\\.wav").size();
    const std::size_t letters = (250 - fixed) / letterBytes();
    const std::string folder = temporary.path() + "\\" + repeated(letter(), letters / 2);
    const std::string padding((250 - fixed) % letterBytes(), 'x');
    const std::string path = folder + "\\" + padding + repeated(letter(), letters - letters / 2) + ".wav";
    const auto native = codePageFromUtf8(path);
    ASSERT_TRUE(native);
    ASSERT_EQ(native->size(), 250u);
    ASSERT_GT(path.size(), 255u) << "longer than the buffer in UTF-8";
    makeFolder(folder);
    makeFile(path);

    WriteIni(settingsSection, keyBgmFile, path, ini);
    EXPECT_NE(testing_support::fileText(ini).find("=" + *native + "\r\n"), std::string::npos)
        << "in the code page's bytes";
    EXPECT_EQ(readFile(), path);
    EXPECT_TRUE(FileExists(readFile())) << "so the music stays chosen at the next start";
}

TEST_F(SettingsPaths, AValueIsCutTo255BytesOfTheCodePageAndNeverInsideALetter)
{
    // 127 two-byte letters fill 254 bytes: the 128th would end past 255.
    WriteIni(settingsSection, keyBgmFile, repeated(letter(), 300), ini);
    EXPECT_EQ(readFile(), repeated(letter(), 255 / letterBytes()));
    WriteIni(settingsSection, keyBgmFile, "x" + repeated(letter(), 300), ini);
    EXPECT_EQ(readFile(), "x" + repeated(letter(), 254 / letterBytes()));
}

TEST_F(SettingsPaths, APathTheCodePageCantSpellIsNotStored)
{
    WriteIni(settingsSection, keyBgmFile, "C:\\a.wav", ini);
    const std::string foreign = japanese() ? "C:\\Müller\\a.wav" : "C:\\ユーザー\\a.wav";
    WriteIni(settingsSection, keyBgmFile, foreign, ini);
    EXPECT_EQ(readFile(), "C:\\a.wav") << "the earlier path stays";
    EXPECT_EQ(testing_support::fileText(ini).find('?'), std::string::npos) << testing_support::fileText(ini);
}

// The saver's own folder keeps its settings only where the code page spells its name; any
// other settings file in such a folder is reached through the folder's short name.
TEST_F(SettingsPaths, AFolderTheCodePageCantSpellStillKeepsSettings)
{
    const std::string foreign = temporary.path() + (japanese() ? "\\José Müller" : "\\ユーザー");
    const std::string own = temporary.path() + (japanese() ? "\\山田" : "\\José Müller");
    makeFolder(foreign);
    makeFolder(own);
    EXPECT_FALSE(platform::folderIsWritable(foreign));
    EXPECT_TRUE(platform::folderIsWritable(own));

    const std::string file = foreign + "\\Hoarveil.ini";
    WriteIni(settingsSection, keyBgmKind, "2", file);
    EXPECT_EQ(ReadIni(settingsSection, keyBgmKind, file), "2");
    EXPECT_EQ(bytesOf(file), "[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\n") << "the file itself, there";
}

}  // namespace

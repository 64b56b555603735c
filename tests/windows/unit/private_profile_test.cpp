// The settings file through the Windows profile functions: the behaviour the saver's settings
// rely on, and the Japanese key names and paths under a Japanese and a Western code page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/private_profile.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

namespace {

class PrivateProfile : public ::testing::Test {
protected:
    PrivateProfile() : file(temporary.path() + "\\settings.ini") {}

    void writeFile(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string fileText() const { return testing_support::fileText(file); }
    std::string read(const std::string& section, const std::string& key, std::size_t size = 256) const
    {
        return platform::getPrivateProfileString(section, key, "default", size, file);
    }
    bool write(const std::string& section, const std::string& key, const std::string& value) const
    {
        return platform::writePrivateProfileString(section, key, value, file);
    }

    testing_support::TempFolder temporary;
    std::string file;
};

TEST_F(PrivateProfile, NamesAreCaseInsensitiveAndBlanksQuotesAndCommentsGo)
{
    writeFile("; a comment line\r\n"
              "[ Section ]\r\n"
              "  Key One  =  spaced value  \r\n"
              "quoted=\"  keep inner blanks \"\r\n"
              "single='x'\r\n"
              "half=\"open\r\n"
              "empty=\r\n");
    EXPECT_EQ(read("section", "KEY ONE"), "spaced value");
    EXPECT_EQ(read("SECTION", "quoted"), "  keep inner blanks ");
    EXPECT_EQ(read("Section", "single"), "x");
    EXPECT_EQ(read("Section", "half"), "\"open");
    EXPECT_EQ(read("Section", "empty"), "");
    EXPECT_EQ(read("Other", "Key One"), "default");
    EXPECT_EQ(read("Section", "missing"), "default");
}

TEST_F(PrivateProfile, MissingFileGivesTheDefaultAndTheFirstOfDuplicateKeysWins)
{
    EXPECT_EQ(read("Section", "key"), "default");
    writeFile("[S]\r\na=first\r\na=second\r\n");
    EXPECT_EQ(read("S", "a"), "first");
}

TEST_F(PrivateProfile, ValuesAreCutToTheBuffer)
{
    writeFile("[S]\r\nlong=" + std::string(300, 'v') + "\r\n");
    EXPECT_EQ(read("S", "long").size(), 255u);
    EXPECT_EQ(read("S", "long", 4), "vvv");
    EXPECT_EQ(read("S", "long", 1), "");
}

TEST_F(PrivateProfile, WritesCreateTheFileReplaceAKeyAndKeepEveryOtherLine)
{
    EXPECT_TRUE(write("Section", "first", "1"));
    EXPECT_TRUE(write("Section", "second", "C:\\music\\a b.mp3"));
    EXPECT_EQ(read("Section", "first"), "1");
    EXPECT_EQ(read("Section", "second"), "C:\\music\\a b.mp3");
    EXPECT_LT(fileText().find("first=1"), fileText().find("second=")) << "in the order written";

    writeFile("; mine\r\n[Other]\r\nx=1\r\n[Section]\r\nKEY = old\r\nafter=2\r\n");
    EXPECT_TRUE(write("section", "key", "new"));
    EXPECT_TRUE(write("Fresh", "z", "5"));
    EXPECT_EQ(read("Section", "key"), "new");
    EXPECT_EQ(read("Section", "after"), "2");
    EXPECT_EQ(read("Other", "x"), "1");
    EXPECT_EQ(read("Fresh", "z"), "5");
    const std::string text = fileText();
    EXPECT_NE(text.find("; mine"), std::string::npos) << text;
    EXPECT_EQ(text.find("old"), std::string::npos) << "replaced, not added: " << text;
}

TEST_F(PrivateProfile, FilesThatCantBeWrittenAreLeftAsTheyAre)
{
    EXPECT_FALSE(platform::writePrivateProfileString("S", "k", "v", temporary.path() + "\\missing\\x.ini"));

    // Held open by another program that lets others read it but not write it.
    const std::string kept = "[Other]\r\nmine=1\r\n[Section]\r\nkey=old\r\n";
    writeFile(kept);
    {
        HANDLE reader = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(write("Section", "key", "new"));
        EXPECT_EQ(read("Section", "key"), "old") << "it still reads";
        CloseHandle(reader);
    }
    EXPECT_EQ(fileText(), kept);
}

// The saver's three key names and a music path, under the system code page of the run (932
// and 1252 both run). The names are written in the Shift-JIS bytes of Japanese Windows whatever
// the code page, and the case-insensitive match still keeps the three apart.
TEST_F(PrivateProfile, JapaneseKeysGoInShiftJisAndPathsOnlyWhereTheCodePageHoldsThem)
{
    const bool japanese = GetACP() == 932;
    ASSERT_TRUE(japanese || GetACP() == 1252) << GetACP();
    // Wine falls back to 1252 without a word when the Japanese locale is missing.
    const char* asked = std::getenv("HOARVEIL_WINE_CODE_PAGE");
    ASSERT_EQ(japanese, asked && std::string(asked) == "932");
    const std::vector<std::string> keys{"BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ"};
    const std::vector<std::string> shiftJis{"BGM\x8B\xE6\x95\xAA", "BGM\xD8\xCB\xDF\xB0\xC4", "BGM\xCC\xA7\xB2\xD9"};
    const std::vector<std::string> values{"2", "1", "C:\\m.mp3"};
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_TRUE(write("Section", keys[i], values[i]));
    const std::string text = fileText();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(read("Section", keys[i]), values[i]) << i;
        EXPECT_NE(text.find(shiftJis[i] + "=" + values[i]), std::string::npos) << "the key's bytes as written: " << text;
    }

    // A path with Japanese in it goes in the code page's bytes, or not at all: never with '?'.
    const std::string japanesePath = "C:\\音楽\\ﾃｽﾄ.mp3";
    EXPECT_EQ(write("Section", keys[2], japanesePath), japanese);
    EXPECT_EQ(read("Section", keys[2]), japanese ? japanesePath : values[2]);
    EXPECT_EQ(fileText().find('?'), std::string::npos) << fileText();
    if (japanese) {
        EXPECT_NE(fileText().find("C:\\\x89\xB9\x8A\x79\\\xC3\xBD\xC4.mp3"), std::string::npos) << fileText();
    }
}

}  // namespace

// INI files read and written with the behaviour the saver's settings were made for.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

#include "platform/private_profile.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"

using namespace std::chrono_literals;
using namespace std::string_literals;

namespace {

class PrivateProfile : public ::testing::Test {
protected:
    PrivateProfile() : folder(temporary.path()), file(folder + "/settings.ini") {}

    void writeFile(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string fileText() { return testing_support::fileText(file); }
    std::string read(const std::string& section, const std::string& key, std::size_t size = 256)
    {
        return platform::getPrivateProfileString(section, key, "default", size, file);
    }

    testing_support::TempFolder temporary;
    std::string folder, file;
};

TEST_F(PrivateProfile, NamesAreCaseInsensitiveAndBlanksAndQuotesAroundValuesGo)
{
    writeFile("; a comment line\n"
              "[ Section ]\r\n"
              "  Key One  =  spaced value  \r\n"
              "quoted=\"  keep inner blanks \"\n"
              "single='x'\n"
              "half=\"open\n"
              ";commented=1\n"
              "empty=\n"
              "BGM区分=2\n");
    EXPECT_EQ(read("section", "KEY ONE"), "spaced value");
    EXPECT_EQ(read("SECTION", "quoted"), "  keep inner blanks ");
    EXPECT_EQ(read("Section", "single"), "x");
    EXPECT_EQ(read("Section", "half"), "\"open");
    EXPECT_EQ(read("Section", ";commented"), "default");
    EXPECT_EQ(read("Section", "empty"), "");
    EXPECT_EQ(read("Section", "BGM区分"), "2");
    EXPECT_EQ(read("Other", "Key One"), "default");
}

TEST_F(PrivateProfile, MissingFileGivesTheDefault) { EXPECT_EQ(read("Section", "key"), "default"); }

TEST_F(PrivateProfile, FirstOfDuplicateSectionsAndKeysWins)
{
    writeFile("[S]\na=first\na=second\n[T]\nb=1\n[s]\na=third\nc=only in the duplicate\n");
    EXPECT_EQ(read("S", "a"), "first");
    EXPECT_EQ(read("S", "c"), "default");
}

TEST_F(PrivateProfile, ValuesAreCutToTheBufferWithoutSplittingACharacter)
{
    writeFile("[S]\nlong=" + std::string(300, 'v') + "\nwide=" + std::string(254, 'v') + "区\n");
    EXPECT_EQ(read("S", "long").size(), 255u);
    EXPECT_EQ(read("S", "long", 4), "vvv");
    EXPECT_EQ(read("S", "wide"), std::string(254, 'v')) << "a three-byte character does not fit in one byte";
}

TEST_F(PrivateProfile, WriteCreatesTheFileAndSectionInTheOrderWritten)
{
    EXPECT_TRUE(platform::writePrivateProfileString("Section", "BGM区分", "1", file));
    EXPECT_TRUE(platform::writePrivateProfileString("Section", "BGMﾘﾋﾟｰﾄ", "0", file));
    EXPECT_TRUE(platform::writePrivateProfileString("Section", "BGMﾌｧｲﾙ", "/music/a b.mp3", file));
    EXPECT_EQ(fileText(), "[Section]\r\nBGM区分=1\r\nBGMﾘﾋﾟｰﾄ=0\r\nBGMﾌｧｲﾙ=/music/a b.mp3\r\n");
}

// Lines added to a file end as the file's first line does; CRLF, as Windows writes, where
// there is none to follow yet.
TEST_F(PrivateProfile, AddedLinesEndLikeTheFilesOwn)
{
    const struct {
        std::string before, after;
    } cases[] = {
        {"[S]\r\na=1\r\n", "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nc=3\r\n"},
        {"[S]\r\na=1", "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nc=3\r\n"},
        {"[S]\ra=1\r", "[S]\ra=1\rb=2\r\r[T]\rc=3\r"},
        {"[S]", "[S]\r\nb=2\r\n\r\n[T]\r\nc=3\r\n"},
    };
    for (const auto& c : cases) {
        writeFile(c.before);
        EXPECT_TRUE(platform::writePrivateProfileString("S", "b", "2", file));
        EXPECT_TRUE(platform::writePrivateProfileString("T", "c", "3", file));
        EXPECT_EQ(fileText(), c.after) << "from " << testing::PrintToString(c.before);
    }
}

// Files from old Mac editors end their lines with a lone CR.
TEST_F(PrivateProfile, LoneCarriageReturnsEndLines)
{
    writeFile("[S]\rb=2\rc=3\r");
    EXPECT_EQ(read("S", "b"), "2");
    EXPECT_EQ(read("S", "c"), "3");
    EXPECT_TRUE(platform::writePrivateProfileString("S", "b", "4", file));
    EXPECT_EQ(fileText(), "[S]\rb=4\rc=3\r");
}

TEST_F(PrivateProfile, BlanksAroundTheNamesOfAWriteGo)
{
    writeFile("[Section]\r\nKey=1\r\n");
    EXPECT_TRUE(platform::writePrivateProfileString(" Section ", " Key ", "2", file));
    EXPECT_TRUE(platform::writePrivateProfileString("\tNew ", " k\t", "3", file));
    EXPECT_EQ(fileText(), "[Section]\r\nKey=2\r\n\r\n[New]\r\nk=3\r\n");
    EXPECT_EQ(read(" Section ", " Key "), "2");
}

TEST_F(PrivateProfile, WriteReplacesAKeyInPlaceAndKeepsEveryOtherLine)
{
    writeFile("; mine\n[Other]\nx=1\n\n[Section]\r\nKEY = old\r\nafter=2\r\n\n[Last]\ny=3\n");
    EXPECT_TRUE(platform::writePrivateProfileString("section", "key", "new", file));
    EXPECT_TRUE(platform::writePrivateProfileString("Section", "added", "4", file));
    EXPECT_TRUE(platform::writePrivateProfileString("Fresh", "z", "5", file));
    EXPECT_EQ(fileText(),
              "; mine\n[Other]\nx=1\n\n[Section]\r\nkey=new\r\nafter=2\r\nadded=4\n\n[Last]\ny=3\n\n[Fresh]\nz=5\n");
}

TEST_F(PrivateProfile, FailedWriteLeavesTheFileAsItWas)
{
    EXPECT_FALSE(platform::writePrivateProfileString("S", "k", "v", folder + "/missing-folder/x.ini"));
}

// The Windows profile functions fail on these files; replacing them would lose their lines.
TEST_F(PrivateProfile, FilesThatCantBeReadOrWrittenAreLeftAsTheyAre)
{
    const std::string kept = "[Other]\nmine=1\n[Section]\nkey=old\n";
    writeFile(kept);
    chmod(file.c_str(), 0444);
    EXPECT_FALSE(platform::writePrivateProfileString("Section", "key", "new", file)) << "read-only";
    EXPECT_EQ(fileText(), kept);
    EXPECT_EQ(read("Section", "key"), "old") << "a read-only file still reads";

    if (geteuid() != 0) {  // the superuser reads any file
        chmod(file.c_str(), 0200);
        EXPECT_FALSE(platform::writePrivateProfileString("Section", "key", "new", file)) << "unreadable";
        chmod(file.c_str(), 0644);
        EXPECT_EQ(fileText(), kept);
    }

    const std::string folderInstead = folder + "/a-folder.ini";
    ASSERT_EQ(mkdir(folderInstead.c_str(), 0700), 0);
    EXPECT_FALSE(platform::writePrivateProfileString("Section", "key", "new", folderInstead));
    EXPECT_TRUE(std::filesystem::is_directory(folderInstead));
}

// A named pipe in the file's place: nobody will ever write to it, and waiting for a writer
// would hang the saver. Should a call block, the guard below keeps opening the pipe's other
// end, so the test fails on its time instead of hanging.
TEST_F(PrivateProfile, NamedPipeInsteadOfTheFileNeverBlocks)
{
    const std::string pipe = folder + "/pipe.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::promise<void> finished;
    std::thread guard([&, done = finished.get_future()] {
        if (done.wait_for(3s) == std::future_status::ready)
            return;
        while (done.wait_for(100ms) == std::future_status::timeout)
            close(open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::getPrivateProfileString("S", "k", "default", 16, pipe), "default");
    EXPECT_FALSE(platform::writePrivateProfileString("S", "k", "v", pipe));
    const auto took = std::chrono::steady_clock::now() - start;
    finished.set_value();
    guard.join();
    EXPECT_LT(took, 3s);
    struct stat info {};
    ASSERT_EQ(stat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is not replaced";
}

TEST_F(PrivateProfile, LinesWithNulsAndLoneCarriageReturnsSurviveAWrite)
{
    const std::string kept = "[Other]\rx=1\r\0tail\n[Section]\nkey=old\n"s;
    writeFile(kept);
    EXPECT_TRUE(platform::writePrivateProfileString("Section", "key", "new", file));
    EXPECT_EQ(fileText(), "[Other]\rx=1\r\0tail\n[Section]\nkey=new\n"s);
}

}  // namespace

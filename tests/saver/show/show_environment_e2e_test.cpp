// Shows in poor surroundings: no display, no audio device, no CD drive, a home that can't be
// written, a full disk, a bitmap folder that isn't the user's own. Each gets a clear line or
// goes on without what is missing; none crashes or hangs.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/audio_tone.h"
#include "tests/saver/show/show_fixture.h"

using namespace testing_support;

namespace {

// A small file system of its own, mounted for the test; the test is skipped where mounting
// takes privileges it lacks.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::string& where, bool readOnly = false) : where(where)
    {
        mounted = mount("tmpfs", where.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, "size=64k,mode=0700") == 0;
    }
    ~SmallFileSystem()
    {
        if (mounted)
            umount2(where.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool usable() const { return mounted; }

private:
    std::string where;
    bool mounted = false;
};

class PoorSurroundings : public Show {
protected:
    // Runs a show to Esc and expects it to end in order.
    void runShowToEscape(const std::string& folder = programFolder,
                                const std::map<std::string, std::string>& changes = {})
    {
        PrivateXServer server;
        auto saver = startSaver(server, {"/s"}, folder, changes);
        EXPECT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s)) << saver->errorOutput();
        pressKey(server.display(), "Escape");
        EXPECT_EQ(saver->waitForExit(10s), 0) << saver->errorOutput();
    }

    std::vector<std::string> filesIn(const std::string& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// The renderer's window can't be made (exit code 1); the saver's show form can't load.
TEST_F(PoorSurroundings, WithoutADisplayBothProgramsEnd)
{
    for (const std::string program : {"/Hoarveil.scr", "/Hoarveil.dll"}) {
        ChildProcess child({programFolder + program, "/s"}, {{"DISPLAY", ""}, {"HOME", home.path()}});
        const auto code = child.waitForExit(10s);
        ASSERT_TRUE(code.has_value()) << program;
        EXPECT_LT(*code, 128) << program << child.errorOutput();
    }
}

TEST_F(PoorSurroundings, WithoutAnAudioDeviceOrACdDriveTheShowIsSilent)
{
    const std::string folder = installSaver();
    const std::string music = home.path() + "/music.wav";
    writeWav(music, stereoSine(440, 2.0));
    std::ofstream(folder + "/Hoarveil.ini") << "[Section]\nBGM区分=2\nBGMﾌｧｲﾙ=" << music << "\n";
    // No output device counted: the wave player stays silent, as it does without a sound card.
    runShowToEscape(folder, {{"SDL_AUDIODRIVER", "no-such-driver"}});

    std::ofstream(folder + "/Hoarveil.ini") << "[Section]\nBGM区分=1\nBGMﾘﾋﾟｰﾄ=0\n";
    runShowToEscape(folder, {{"HOARVEIL_CD_DEVICE", home.path() + "/no-such-drive"}, {"SDL_AUDIODRIVER", "dummy"}});
}

TEST_F(PoorSurroundings, ReadOnlyHomeShowsAnEmptyFloor)
{
    const std::string readOnly = home.path() + "/read-only";
    fs::create_directory(readOnly);
    SmallFileSystem mounted(readOnly, true);
    if (!mounted.usable())
        GTEST_SKIP() << "mounting a file system needs privileges";
    runShowToEscape(programFolder, {{"HOME", readOnly}, {"XDG_RUNTIME_DIR", ""}, {"XDG_CONFIG_HOME", ""}});
    EXPECT_TRUE(filesIn(readOnly).empty());
}

TEST_F(PoorSurroundings, FullDiskLeavesNoHalfWrittenPhotograph)
{
    const std::string small = home.path() + "/small";
    fs::create_directory(small);
    SmallFileSystem mounted(small);
    if (!mounted.usable())
        GTEST_SKIP() << "mounting a file system needs privileges";
    runShowToEscape(programFolder, {{"XDG_RUNTIME_DIR", small}});
    // The photograph doesn't fit; the flake picture does, and nothing else is left behind.
    EXPECT_EQ(filesIn(small + "/k_varo"), std::vector<std::string>{"Hoarveil2.bmp"});
}

TEST_F(PoorSurroundings, BitmapFolderThatIsALinkOrSomeoneElsesGetsNoPhotograph)
{
    const std::string folder = runtime + "/k_varo", elsewhere = home.path() + "/elsewhere";
    fs::create_directory(elsewhere);
    fs::create_directory_symlink(elsewhere, folder);
    runShowToEscape();
    EXPECT_TRUE(filesIn(elsewhere).empty()) << "nothing written through the link";

    fs::remove(folder);
    fs::create_directory(folder);
    if (geteuid() != 0)
        GTEST_SKIP() << "handing a folder to another user takes the superuser";
    ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
    runShowToEscape();
    EXPECT_TRUE(filesIn(folder).empty()) << "nothing written into another user's folder";
}

}  // namespace

// The renderer with the saver's two bitmaps, on a private X server: the desktop picture tiles
// the floor, the flake picture is on every flake, a missing file leaves its texture empty, and
// an unreadable one shows a message box the user can answer with a key or a click.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "tests/support/bmp_writer.h"
#include "tests/support/child_process.h"
#include "tests/support/scene_tones.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

const std::string rendererPath = std::string(HOARVEIL_PROGRAM_DIR) + "/Hoarveil.dll";

class RendererTextures : public ::testing::Test {
protected:
    RendererTextures() : runtime(folder.path()), bitmaps(runtime + "/k_varo"), messageLog(runtime + "/messages.log")
    {
        ::mkdir(bitmaps.c_str(), 0700);
    }
    // The renderer goes before the folder it reads from.
    void TearDown() override { program.reset(); }

    void writeFloor(const std::vector<std::uint8_t>& bytes) { writeFile(bitmaps + "/Hoarveil1.bmp", bytes); }
    void writeFlake(const std::vector<std::uint8_t>& bytes) { writeFile(bitmaps + "/Hoarveil2.bmp", bytes); }

    ::Window start(PrivateXServer& server)
    {
        program = std::make_unique<ChildProcess>(
            std::vector<std::string>{rendererPath},
            std::map<std::string, std::string>{
                {"DISPLAY", server.name()}, {"XDG_RUNTIME_DIR", runtime}, {"HOARVEIL_MESSAGE_LOG", messageLog}});
        ::Window window = 0;
        waitUntil([&] { return (window = findWindowByTitle(server.display(), "Hoarveil_VC")) != 0; }, 10s);
        return window;
    }

    std::string loggedMessages() const
    {
        std::ifstream log(messageLog);
        std::stringstream text;
        text << log.rdbuf();
        return text.str();
    }

    // The screen once it shows what the test waits for (or the limit has passed).
    static Screenshot settledScreenshot(PrivateXServer& server, const std::string& name,
                                        const std::function<bool(const Screenshot&)>& shows)
    {
        Screenshot shot = screenshotWhen(server.display(), shows);
        shot.save(::testing::TempDir() + name + ".png");
        return shot;
    }

    TempFolder folder;
    std::string runtime, bitmaps, messageLog;
    std::unique_ptr<ChildProcess> program;
};

TEST_F(RendererTextures, DesktopPictureTilesTheFloor)
{
    writeFloor(quadrantPicture());
    writeFlake(plainPicture(0x000000));  // black flakes add nothing to the picture
    PrivateXServer server;
    ASSERT_NE(start(server), 0u) << program->errorOutput();
    // Each quadrant colour shows on the floor; more patches than one picture has quadrants
    // means it is repeated (near the eye a tile fills the screen, so not every colour repeats).
    const auto patches = [](const Screenshot& shot, Tone tone) { return patchesOf(shot, tone, 300, 768); };
    const auto allPatches = [&](const Screenshot& shot) {
        int count = 0;
        for (Tone tone : {Tone::Red, Tone::Green, Tone::Blue, Tone::Yellow})
            count += patches(shot, tone);
        return count;
    };
    const Screenshot shot =
        settledScreenshot(server, "floor-tiled", [&](const Screenshot& s) { return allPatches(s) >= 6; });
    for (Tone tone : {Tone::Red, Tone::Green, Tone::Blue, Tone::Yellow})
        EXPECT_GE(patches(shot, tone), 1) << "tone " << int(tone);
    EXPECT_GE(allPatches(shot), 6) << "the picture tiles the floor";
    EXPECT_LT(skyPixelsOf(shot, Tone::Grey), 20) << "no untextured flakes";
    EXPECT_EQ(loggedMessages(), "");
    pressKey(server.display(), "Escape");
    EXPECT_EQ(program->waitForExit(10s), 0);
}

TEST_F(RendererTextures, FlakePictureOnEveryFlakeAndMissingFloorStaysWhite)
{
    writeFlake(plainPicture(0xFF00FF));
    PrivateXServer server;
    ASSERT_NE(start(server), 0u) << program->errorOutput();
    const Screenshot shot = settledScreenshot(server, "flakes-magenta", [](const Screenshot& s) {
        return skyPixelsOf(s, Tone::Magenta) > 50 && s.at(512, 740).r >= 250;
    });

    EXPECT_GT(skyPixelsOf(shot, Tone::Magenta), 50) << "magenta flakes in the sky";
    EXPECT_LT(skyPixelsOf(shot, Tone::Grey), 20) << "no untextured flakes";
    const Rgb floor = shot.at(512, 740);
    EXPECT_GE(floor.r, 250);
    EXPECT_GE(floor.g, 250);
    EXPECT_GE(floor.b, 250);
    EXPECT_EQ(loggedMessages(), "") << "a missing file shows no message";
    EXPECT_EQ(findWindowByTitle(server.display(), "Error"), 0u);
    pressKey(server.display(), "Escape");
    EXPECT_EQ(program->waitForExit(10s), 0);
}

// The box for an empty flake file, answered in one of the ways a user may answer it.
class EmptyFlakeFile : public RendererTextures, public ::testing::WithParamInterface<std::string> {
protected:
    struct BoxPlace {
        int x = 0, y = 0, width = 0, height = 0;
        // The OK button's middle, and a point in the caption strip.
        int okX() const { return x + width / 2; }
        int okY() const { return y + height - 16 - 14; }
        int captionX() const { return x + width - 20; }
        int captionY() const { return y + 13; }
    };

    static BoxPlace placeOf(Display* display, ::Window box)
    {
        ::Window root, child;
        int bx, by;
        unsigned width, height, border, depth;
        XGetGeometry(display, box, &root, &bx, &by, &width, &height, &border, &depth);
        XTranslateCoordinates(display, box, root, 0, 0, &bx, &by, &child);
        return {bx, by, int(width), int(height)};
    }

    static bool captionShows(const Screenshot& shot, const BoxPlace& box)
    {
        const Rgb p = shot.at(box.captionX(), box.captionY());
        return p.r < 20 && p.g > 70 && p.g < 100 && p.b > 150;  // the caption strip's blue
    }

    void answerAndCheck(PrivateXServer& server, const std::string& answer)
    {
        Display* d = server.display();
        const std::string path = bitmaps + "/Hoarveil2.bmp";
        ASSERT_TRUE(waitUntil([&] { return !loggedMessages().empty(); }, 10s)) << program->errorOutput();
        EXPECT_EQ(loggedMessages(), "Error\tFailed to open DIB file " + path + ".\\n\n");
        ::Window box = 0;
        ASSERT_TRUE(waitUntil([&] { return (box = findWindowByTitle(d, "Error")) != 0; }, 10s));
        ::Window owner = 0;
        XGetTransientForHint(d, box, &owner);
        EXPECT_EQ(owner, findWindowByTitle(d, "Hoarveil_VC")) << "owned by the renderer window, which has the focus";
        const BoxPlace place = placeOf(d, box);
        const Screenshot withBox = settledScreenshot(server, "message-box-" + answer,
                                                     [&](const Screenshot& s) { return captionShows(s, place); });
        EXPECT_TRUE(captionShows(withBox, place)) << "the box is drawn above the full-screen scene";
        std::this_thread::sleep_for(300ms);  // drawn, and now holding the keyboard

        if (answer == "click")
            click(d, place.okX(), place.okY());
        else
            pressKey(d, answer);
        EXPECT_TRUE(waitUntil([&] { return findWindowByTitle(d, "Error") == 0; }, 5s)) << "answered by " << answer;
        EXPECT_FALSE(program->waitForExit(100ms).has_value()) << "answering the box leaves the renderer running";

        // The renderer goes on with grey, untextured flakes and has its keyboard back.
        const Screenshot after = settledScreenshot(
            server, "after-box-" + answer, [](const Screenshot& s) { return skyPixelsOf(s, Tone::Grey) > 50; });
        EXPECT_GT(skyPixelsOf(after, Tone::Grey), 50);
        pressKey(d, "Escape");
        EXPECT_EQ(program->waitForExit(10s), 0);
        EXPECT_EQ(loggedMessages(), "Error\tFailed to open DIB file " + path + ".\\n\n") << "one box only";
    }
};

TEST_P(EmptyFlakeFile, ShowsTheOpenFailureAndGreyFlakes)
{
    writeFlake({});
    PrivateXServer server;
    ASSERT_NE(start(server), 0u) << program->errorOutput();
    answerAndCheck(server, GetParam());
}

// A window manager looks after every other window; the box must stay above the override-
// redirect renderer and get the keyboard all the same.
TEST_P(EmptyFlakeFile, UnderAWindowManagerToo)
{
    const char* manager = "/usr/bin/twm";
    if (::access(manager, X_OK) != 0)
        GTEST_SKIP() << "twm is not installed (scripts/install-deps installs it)";
    writeFlake({});
    PrivateXServer server;
    ChildProcess windowManager({manager}, {{"DISPLAY", server.name()}, {"LC_ALL", "C"}});
    std::this_thread::sleep_for(500ms);
    ASSERT_NE(start(server), 0u) << program->errorOutput();
    answerAndCheck(server, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Answers, EmptyFlakeFile, ::testing::Values("Return", "space", "click"),
                         [](const auto& info) { return info.param; });

}  // namespace

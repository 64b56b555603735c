// Music during a show, as a user hears it: the saver runs on a private X server from an
// install folder of its own (with its settings file beside it), its sound going to SDL's disk
// driver, and the tone of the file or track is looked for in that output.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/audio_tone.h"
#include "tests/support/cd_image.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string programFolder = HOARVEIL_PROGRAM_DIR;

bool near(double frequency, double expected) { return std::abs(frequency - expected) < expected * 0.04; }

class ShowMusic : public ::testing::Test {
protected:
    ShowMusic() : sound(install.path() + "/sound.raw")
    {
        for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"})
            fs::copy_file(programFolder + "/" + program, install.path() + "/" + program);
        fs::create_directory(home.path() + "/run");
        fs::permissions(home.path() + "/run", fs::perms::owner_all);
    }

    void settings(int kind, int repeat, const std::string& file)
    {
        std::ofstream ini(install.path() + "/Hoarveil.ini");
        ini << "[Section]\nBGM区分=" << kind << "\nBGMﾘﾋﾟｰﾄ=" << repeat << "\nBGMﾌｧｲﾙ=" << file << "\n";
    }

    // Starts the show and waits for the renderer's window.
    void startShow(const std::string& audioDriver = "disk")
    {
        saver = std::make_unique<ChildProcess>(
            std::vector<std::string>{install.path() + "/Hoarveil.scr", "/s"},
            std::map<std::string, std::string>{{"DISPLAY", server.name()},
                                               {"HOME", home.path()},
                                               {"XDG_RUNTIME_DIR", home.path() + "/run"},
                                               {"XDG_CONFIG_HOME", home.path() + "/config"},
                                               {"SDL_AUDIODRIVER", audioDriver},
                                               {"SDL_DISKAUDIOFILE", sound.path()},
                                               {"HOARVEIL_CD_DEVICE", cdDevice}});
        ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(server.display(), "Hoarveil_VC") != 0; }, 15s))
            << saver->errorOutput();
    }

    // Esc ends the renderer, and within a second the saver with its music.
    void endShow()
    {
        pressKey(server.display(), "Escape");
        expectEndedWithItsMusic();
    }

    void expectEndedWithItsMusic()
    {
        ASSERT_EQ(saver->waitForExit(10s), 0) << saver->errorOutput();
        const std::size_t atExit = sound.size();
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(sound.size(), atExit) << "nothing sounds once the show has ended";
    }

    TempFolder install, home;
    PrivateXServer server;
    DiskAudioFile sound;
    std::string cdDevice = "/nonexistent/drive";
    std::unique_ptr<ChildProcess> saver;
};

TEST_F(ShowMusic, Mp3PlaysThroughTheShowAndAgainAfterItsEnd)
{
    const std::string mp3 = install.path() + "/Snow Tune.Mp3";
    ASSERT_TRUE(writeMp3(mp3, 523, 1.0));
    settings(2, 0, mp3);
    startShow();
    // A second of tone, then at most a second of silence until the music-file watch starts it
    // again: in five seconds the tone comes back after a silence.
    EXPECT_TRUE(toneReturnsAfterSilence(sound, 523, 5s)) << "the music-file watch starts the file again after its end";
    endShow();
}

TEST_F(ShowMusic, WavWithALowerCaseNameLoops)
{
    const std::string wav = install.path() + "/snow.wav";
    writeWav(wav, stereoSine(660, 0.5));
    settings(2, 0, wav);
    startShow();
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(near(dominantFrequency(sound.listen(500ms)), 660)) << "still sounding after the file's length";
    endShow();
}

TEST_F(ShowMusic, SignalToTheSaverEndsTheMusicWithTheShow)
{
    const std::string wav = install.path() + "/snow.wav";
    writeWav(wav, stereoSine(660, 0.5));
    settings(2, 0, wav);
    startShow();
    ASSERT_TRUE(near(dominantFrequency(sound.listen(500ms)), 660));
    saver->signal(SIGTERM);
    expectEndedWithItsMusic();
    EXPECT_TRUE(waitUntil([&] { return findWindowByTitle(server.display(), "Hoarveil_VC") == 0; }, 10s));
}

TEST_F(ShowMusic, CdLoopsTheChosenTrack)
{
    cdDevice = writeToneCd(install.path(), {{300, 1}, {450, 1}, {700, 1}, {950, 1}, {1200, 1}});
    settings(1, 3, "");
    startShow();
    int third = 0, beyond = 0;
    for (int i = 0; i < 25; ++i) {
        const double frequency = dominantFrequency(sound.listen(100ms));
        third += near(frequency, 700);
        beyond += near(frequency, 1200);
    }
    EXPECT_GE(third, 18) << "track 3 most of the time, over more than twice its length";
    EXPECT_EQ(beyond, 0) << "track 5 is never reached";
    endShow();
}

TEST_F(ShowMusic, WmaFilePlaysNothing)
{
    const std::string wma = install.path() + "/song.wma";
    writeWav(wma, stereoSine(440, 1));
    settings(2, 0, wma);
    startShow();
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(fs::exists(sound.path())) << "no audio output was even opened";
    endShow();
}

TEST_F(ShowMusic, WithoutAudioOutputTheShowRunsSilently)
{
    const std::string mp3 = install.path() + "/tune.mp3";
    ASSERT_TRUE(writeMp3(mp3, 523, 0.5));
    settings(2, 0, mp3);
    startShow("no-such-driver");
    std::this_thread::sleep_for(1500ms);
    takeScreenshot(server.display()).save(::testing::TempDir() + "show-without-audio.png");
    endShow();
    const std::string errors = saver->errorOutput();
    EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST_F(ShowMusic, UnusableCdLeavesTheShowSilent)
{
    settings(1, 0, "");
    startShow();
    std::this_thread::sleep_for(1s);
    EXPECT_FALSE(fs::exists(sound.path()));
    endShow();
}

}  // namespace

// Music during a show of the Windows build under Wine, as a user hears it: the system's own
// media control interface plays into a private sound server, whose recording is listened to.
// Audio CDs can't be played under Wine: they are the Linux build's tests' to cover.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/audio_tone.h"
#include "tests/support/sound_server.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

bool near(double frequency, double expected) { return std::abs(frequency - expected) < expected * 0.04; }

class WindowsShowMusic : public ::testing::Test {
protected:
    WindowsShowMusic() : screen(prefix, 1280, 1024, true), saver(prefix, windowsBuild), sounds(scratch.path())
    {
        fs::create_directories(prefix.linuxPath("C:\\music"));
    }

    // The settings file as Japanese Windows writes it: the key names in Shift-JIS.
    void settings(int kind, const std::string& file)
    {
        std::ofstream ini(saver.installed("Hoarveil.ini"), std::ios::binary);
        ini << "[Section]\r\nBGM\x8B\xE6\x95\xAA=" << kind << "\r\nBGM\xD8\xCB\xDF\xB0\xC4=0\r\nBGM\xCC\xA7\xB2\xD9="
            << file << "\r\n";
    }

    void startShow(const std::string& soundServer, std::map<std::string, std::string> environment = {})
    {
        environment["PULSE_SERVER"] = soundServer;
        show = saver.start({"/s"}, screen.server().name(), environment);
        ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(screen.display(), "Hoarveil_VC") != 0; }, 30s))
            << show->errorOutput();
    }

    void endShow()
    {
        pressKey(screen.display(), "Escape");
        EXPECT_EQ(show->waitForExit(10s), 0);
    }

    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen;
    WindowsSaver saver;
    TempFolder scratch;
    PrivateSoundServer sounds;
    std::unique_ptr<ChildProcess> show;
};

TEST_F(WindowsShowMusic, Mp3IsHeardAndStartsAgainAfterItsEnd)
{
    ASSERT_TRUE(writeMp3(prefix.linuxPath("C:\\music\\Snow Tune.mp3"), 523, 1.0));
    settings(2, "C:\\music\\Snow Tune.mp3");
    const DiskAudioFile sound = sounds.record();
    startShow(sounds.address());
    EXPECT_TRUE(toneReturnsAfterSilence(sound, 523, 8s)) << "the music-file watch starts the file again after its end";
    endShow();
}

TEST_F(WindowsShowMusic, WavLoopsAndStopsWithTheShow)
{
    writeWav(prefix.linuxPath("C:\\music\\tone.wav"), stereoSine(660, 1.0));
    settings(2, "C:\\music\\tone.wav");
    const DiskAudioFile sound = sounds.record();
    startShow(sounds.address());
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(near(dominantFrequency(sound.listen(500ms)), 660)) << "still sounding after the file's length";
    endShow();
    std::this_thread::sleep_for(500ms);
    EXPECT_LT(loudness(sound.listen(500ms)), 50) << "the music goes with the show";
}

// A settings file from Japanese Windows, its music in a folder with a Japanese name: under
// code page 932 the Shift-JIS path is the file's.
TEST_F(WindowsShowMusic, UnderAJapaneseLocaleAShiftJisPathPlays)
{
    fs::create_directories(prefix.linuxPath("C:\\音楽"));
    writeWav(prefix.linuxPath("C:\\音楽\\tone.wav"), stereoSine(660, 1.0));
    settings(2, "C:\\\x89\xB9\x8A\x79\\tone.wav");
    const DiskAudioFile sound = sounds.record();
    startShow(sounds.address(), prefix.japaneseLocale());
    std::this_thread::sleep_for(1500ms);
    EXPECT_TRUE(near(dominantFrequency(sound.listen(500ms)), 660));
    endShow();
}

TEST_F(WindowsShowMusic, WithoutAWaveDeviceTheShowRunsSilently)
{
    writeWav(prefix.linuxPath("C:\\music\\tone.wav"), stereoSine(660, 1.0));
    settings(2, "C:\\music\\tone.wav");
    startShow("unix:" + scratch.path() + "/no-server");
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(show->running());
    endShow();
}

}  // namespace

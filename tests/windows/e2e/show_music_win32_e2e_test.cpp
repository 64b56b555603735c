// Music during a show of the Windows build under Wine, as a user hears it: the system's own
// media control interface plays into a private sound server, whose recording is listened to.
// Audio CDs can't be played under Wine: they are the Linux build's tests' to cover.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/audio_tone.h"
#include "tests/support/sound_server.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

// Why music was not heard, from the saver's trace of the system's answers: the product (the
// show ended by itself, or never started the music) or the environment (the system took every
// command and played nothing into the sound server).
std::string musicVerdict(const ChildProcess& show)
{
    std::string verdict, evidence;
    bool endedItself = false, started = false;
    std::istringstream lines(show.errorOutput());
    for (std::string line; std::getline(lines, line);) {
        if (line.ends_with('\r'))  // a Windows program's text-mode stderr
            line.pop_back();
        const bool saver = line.rfind("hoarveil-trace Hoarveil.scr ", 0) == 0;
        endedItself |= saver && line.ends_with(" cursor shown");
        started |= saver && ((line.find(" mci \"play ") != std::string::npos && line.ends_with("\" 0")) ||
                             (line.find(" PlaySound ") != std::string::npos && line.ends_with(" started")));
        if (saver || line.find("window shown") != std::string::npos)
            evidence += line + "\n";
    }
    if (endedItself)
        verdict = "product: the show ended by itself before its music was heard";
    else if (!started)
        verdict = "product: the saver never had the system play its music";
    else
        verdict = "environment: the system took the saver's commands, and the recording is what it played";
    return verdict + "\n" + evidence;
}

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
        // Up and drawing, so that it also takes the Esc that ends the show.
        ASSERT_TRUE(waitUntil([&] {
            return findWindowByTitle(screen.display(), "Hoarveil_VC") != 0 &&
                   show->errorOutput().find("Hoarveil.dll") != std::string::npos &&
                   show->errorOutput().find(" first frame") != std::string::npos;
        }, 30s)) << show->errorOutput();
    }

    void endShow()
    {
        pressKey(screen.display(), "Escape");
        EXPECT_EQ(show->waitForExit(10s), 0) << show->errorOutput();
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
    EXPECT_TRUE(toneReturnsAfterSilence(sound, 523, 10s))
        << "the music-file watch starts the file again after its end; " << musicVerdict(*show);
    endShow();
}

TEST_F(WindowsShowMusic, WavLoopsAndStopsWithTheShow)
{
    writeWav(prefix.linuxPath("C:\\music\\tone.wav"), stereoSine(660, 1.0));
    settings(2, "C:\\music\\tone.wav");
    const DiskAudioFile sound = sounds.record();
    startShow(sounds.address());
    const auto heard = toneHeard(sound, 660, 10s);
    ASSERT_TRUE(heard) << musicVerdict(*show);
    // The file lasts a second; well past it the loop still sounds (a restart's gap allowed).
    EXPECT_GT(soundingShare(sound, *heard + bytesFor(1200ms), 1500ms), 0.8)
        << "still sounding after the file's length; " << musicVerdict(*show);
    endShow();
    const std::size_t ended = sound.size();
    EXPECT_LT(loudness(sound.recorded(ended + bytesFor(1000ms), 500ms)), 50) << "the music goes with the show";
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
    EXPECT_TRUE(toneHeard(sound, 660, 10s)) << musicVerdict(*show);
    endShow();
}

TEST_F(WindowsShowMusic, WithoutAWaveDeviceTheShowRunsSilently)
{
    writeWav(prefix.linuxPath("C:\\music\\tone.wav"), stereoSine(660, 1.0));
    settings(2, "C:\\music\\tone.wav");
    startShow("unix:" + scratch.path() + "/no-server");
    // The renderer's window is up; the show goes on past the watch's next ticks.
    EXPECT_FALSE(show->waitForExit(1500ms)) << show->errorOutput();
    endShow();
}

}  // namespace

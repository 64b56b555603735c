// The media control interface as a user hears it: BIN/CUE discs and MP3 files played through
// SDL's disk audio driver, whose output is checked for the tone of each track.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "platform/mci/error_codes.h"
#include "platform/mci/mci.h"
#include "tests/support/audio_tone.h"
#include "tests/support/cd_image.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

using namespace std::chrono_literals;
using namespace platform::mci;
using testing_support::dominantFrequency;
using testing_support::loudness;

namespace {

// Track tones far enough apart to tell by ear, and by zero crossings.
const std::vector<testing_support::ToneTrack> fiveTracks{{300, 1}, {450, 1}, {700, 1}, {950, 1}, {1200, 1}};

const testing_support::DiskAudioFile& capture()
{
    // One output file for the whole process: SDL reads its settings once.
    static const testing_support::DiskAudioFile disk =
        testing_support::captureOwnSound(testing_support::TempFolder::process() + "/output.raw");
    return disk;
}

class AudioPlayback : public ::testing::Test {
protected:
    void SetUp() override { capture(); }
    void TearDown() override { platform::mciSendString("close all", nullptr, 0); }

    std::string ask(const std::string& command)
    {
        char reply[256];
        EXPECT_EQ(platform::mciSendString(command.c_str(), reply, sizeof reply), 0u) << command;
        return reply;
    }
    void useDisc(const std::vector<testing_support::ToneTrack>& tracks)
    {
        ::setenv("HOARVEIL_CD_DEVICE", testing_support::writeToneCd(folder.path(), tracks).c_str(), 1);
    }
    bool waitForMode(const std::string& device, const std::string& mode, std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (ask("status " + device + " mode") != mode)
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            else
                std::this_thread::sleep_for(20ms);
        return true;
    }

    testing_support::TempFolder folder;
};

TEST_F(AudioPlayback, DiscImageTracksAndPositions)
{
    useDisc(fiveTracks);
    ASSERT_EQ(ask("open cdaudio"), "");
    ask("set cdaudio time format tmsf");
    EXPECT_EQ(ask("status cdaudio number of tracks"), "5");
    EXPECT_EQ(ask("status cdaudio current track"), "1");
    EXPECT_EQ(ask("status cdaudio position track 3"), "03:00:00:00");
    EXPECT_EQ(ask("status cdaudio length track 3"), "00:01:00");
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
}

TEST_F(AudioPlayback, WholeDiscPlaysToItsEndThenStops)
{
    useDisc({{440, 1}, {880, 1}});
    ask("open cdaudio");
    ask("set cdaudio time format tmsf");
    ask("play cdaudio");
    std::this_thread::sleep_for(300ms);
    EXPECT_NEAR(dominantFrequency(capture().listen(400ms)), 440, 10);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(ask("status cdaudio current track"), "2");
    EXPECT_NEAR(dominantFrequency(capture().listen(400ms)), 880, 15);
    ASSERT_TRUE(waitForMode("cdaudio", "stopped", 2s));
    EXPECT_EQ(ask("status cdaudio position"), "01:00:00:00") << "back at the start, ready to play again";
    EXPECT_LT(loudness(capture().listen(300ms)), 50) << "silence after the last track";
}

TEST_F(AudioPlayback, PlayFromTrackThree)
{
    useDisc(fiveTracks);
    ask("open cdaudio");
    ask("set cdaudio time format tmsf");
    ask("play cdaudio from 03:00:00:00");
    EXPECT_EQ(ask("status cdaudio current track"), "3");
    std::this_thread::sleep_for(200ms);
    EXPECT_NEAR(dominantFrequency(capture().listen(500ms)), 700, 15);
    ask("stop cdaudio");
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_LT(loudness(capture().listen(300ms)), 50) << "stop ends the sound";
}

TEST_F(AudioPlayback, Mp3PlaysItsToneToTheEnd)
{
    const std::string mp3 = folder.path() + "/tone one.mp3";
    ASSERT_TRUE(testing_support::writeMp3(mp3, 523, 1.0));
    ask("open \"" + mp3 + "\" type MPEGVideo Alias MP3Play");
    const int length = std::stoi(ask("status MP3Play length"));
    EXPECT_NEAR(length, 1000, 80) << "lame pads the file a little";
    ask("play MP3Play");
    EXPECT_EQ(ask("status MP3Play mode"), "playing");
    std::this_thread::sleep_for(150ms);
    EXPECT_NEAR(dominantFrequency(capture().listen(500ms)), 523, 10);
    ASSERT_TRUE(waitForMode("MP3Play", "stopped", 2s));
    EXPECT_EQ(ask("status MP3Play position"), std::to_string(length));
    EXPECT_LT(loudness(capture().listen(300ms)), 50);
}

TEST_F(AudioPlayback, NoDriveOrNoDisc)
{
    ::setenv("HOARVEIL_CD_DEVICE", (folder.path() + "/no-such-drive").c_str(), 1);
    EXPECT_EQ(platform::mciSendString("open cdaudio", nullptr, 0), MCIERR_CANNOT_LOAD_DRIVER);

    const std::string empty = folder.path() + "/empty.cue";
    std::ofstream{empty};
    ::setenv("HOARVEIL_CD_DEVICE", empty.c_str(), 1);
    EXPECT_EQ(ask("open cdaudio"), "");
    EXPECT_EQ(ask("status cdaudio mode"), "not ready");
    EXPECT_EQ(platform::mciSendString("status cdaudio current track", nullptr, 0), MCIERR_DEVICE_NOT_READY);
    EXPECT_EQ(platform::mciSendString("play cdaudio", nullptr, 0), MCIERR_DEVICE_NOT_READY);
}

// Without any audio output: error codes, one line on stderr at most, no crash.
TEST(AudioPlaybackWithoutOutput, CommandsFailCleanly)
{
    testing_support::TempFolder folder;
    const std::string cue = testing_support::writeToneCd(folder.path(), fiveTracks);
    const std::string mp3 = folder.path() + "/tone.mp3";
    ASSERT_TRUE(testing_support::writeMp3(mp3, 440, 0.5));
    const std::string results = folder.path() + "/results";
    testing_support::ChildProcess probe(
        {HOARVEIL_MCI_PROBE, results, "open cdaudio", "status cdaudio number of tracks", "play cdaudio",
         "status cdaudio mode", "open \"" + mp3 + "\" type MPEGVideo alias m", "=devices", "=sound " + mp3},
        {{"SDL_AUDIODRIVER", "no-such-driver"}, {"HOARVEIL_CD_DEVICE", cue}});
    ASSERT_EQ(probe.waitForExit(20s), 0);
    std::ifstream in(results);
    std::stringstream lines;
    lines << in.rdbuf();
    EXPECT_EQ(lines.str(), "0\t\n0\t5\n326\t\n0\tstopped\n326\t\n0\t\n0\t\n");
    const std::string errors = probe.errorOutput();
    EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

}  // namespace

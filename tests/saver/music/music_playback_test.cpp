// The three players as a user hears them, through SDL's disk audio driver: a looped CD track,
// an MP3 that starts again after its end, a WAV that loops until it is stopped.
#include <gtest/gtest.h>

#include <thread>

#include "saver/music/hoarveil_bgm.h"
#include "saver/startup/shared_settings.h"
#include "tests/support/audio_tone.h"
#include "tests/support/cd_image.h"
#include "tests/support/temp_folder.h"

using namespace std::chrono_literals;
using testing_support::dominantFrequency;
using testing_support::loudness;

namespace {

const testing_support::DiskAudioFile& capture()
{
    static const testing_support::DiskAudioFile disk =
        testing_support::captureOwnSound(testing_support::TempFolder::process() + "/output.raw");
    return disk;
}

class MusicPlayback : public ::testing::Test {
protected:
    void SetUp() override
    {
        capture();
        Hoarveil_BGM = HoarveilBgmSettings{};
    }

    // Calls the watch at its show interval for a while; the sound of that time, in windows.
    std::vector<std::vector<std::int16_t>> watchFor(void (*watch)(), std::chrono::milliseconds interval,
                                                    std::chrono::milliseconds duration)
    {
        const std::size_t start = capture().size();
        const auto begin = std::chrono::steady_clock::now();
        for (auto next = begin; next < begin + duration; next += interval) {
            std::this_thread::sleep_until(next);
            watch();
        }
        std::this_thread::sleep_until(begin + duration);
        // On a loaded machine the driver's writes can lag behind the clock: wait for the stretch.
        const std::size_t end = start + testing_support::bytesFor(duration);
        for (const auto deadline = begin + duration * 2; capture().size() < end && std::chrono::steady_clock::now() < deadline;)
            std::this_thread::sleep_for(20ms);
        std::vector<std::vector<std::int16_t>> windows;
        for (auto at = 0ms; at + window <= duration; at += window)
            windows.push_back(capture().samples(start + testing_support::bytesFor(at), window));
        return windows;
    }

    static bool near(double frequency, double expected) { return std::abs(frequency - expected) < expected * 0.04; }

    static constexpr std::chrono::milliseconds window{100};
    testing_support::TempFolder folder;
};

TEST_F(MusicPlayback, LoopedTrackComesBackInsteadOfTheNext)
{
    ::setenv("HOARVEIL_CD_DEVICE",
             testing_support::writeToneCd(folder.path(), {{300, 1}, {450, 1}, {700, 1.5}, {950, 1}, {1200, 1}}).c_str(),
             1);
    Hoarveil_BGM.BgmKind = 1;
    Hoarveil_BGM.BgmRepeat = 3;
    CdOpen();
    const auto windows = watchFor(CdWatch, 200ms, 4000ms);
    EXPECT_TRUE(BgmState.CdAvailable);
    CdClose();

    int third = 0, fourth = 0, later = 0, other = 0;
    bool thirdAgain = false;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const double frequency = dominantFrequency(windows[i]);
        if (near(frequency, 700)) {
            ++third;
            thirdAgain = thirdAgain || i * window >= 2000ms;
        } else if (near(frequency, 950)) {
            ++fourth;
        } else if (near(frequency, 1200)) {
            ++later;
        } else {
            ++other;  // the start, and windows across a jump
        }
    }
    SCOPED_TRACE(testing::Message() << third << " third, " << fourth << " fourth, " << later << " later, " << other
                                    << " other");
    EXPECT_GE(third, 25);
    EXPECT_LE(fourth, 8) << "track 4 is heard only until the next watch";
    EXPECT_EQ(later, 0);
    EXPECT_TRUE(thirdAgain) << "track 3 starts again after it has played through";
    EXPECT_LT(loudness(capture().listen(300ms)), 50) << "closing the CD ends the sound";
}

TEST_F(MusicPlayback, Mp3StartsAgainAfterItsEnd)
{
    Hoarveil_BGM.BgmKind = 2;
    Hoarveil_BGM.BgmFile = folder.path() + "/snow tone.mp3";
    ASSERT_TRUE(testing_support::writeMp3(Hoarveil_BGM.BgmFile, 523, 0.8));
    Mp3Start();
    // Five watches, so a slow start or a late watch still leaves room for three plays.
    const auto windows = watchFor(Mp3Watch, 1000ms, 5000ms);
    Mp3Close();

    // Tone, the silence after the file's end, the tone again from the watch, and so on; found
    // in order rather than at fixed times, so a slow start doesn't move the goal posts.
    const auto next = [&](std::size_t from, bool tone) {
        for (std::size_t i = from; i < windows.size(); ++i)
            if (tone ? near(dominantFrequency(windows[i]), 523) : loudness(windows[i]) < 50)
                return i;
        return windows.size();
    };
    const std::size_t firstPlay = next(0, true);
    const std::size_t ended = next(firstPlay, false);
    const std::size_t again = next(ended, true);
    const std::size_t endedAgain = next(again, false);
    const std::size_t thirdPlay = next(endedAgain, true);
    EXPECT_LT(firstPlay, windows.size()) << "first play";
    EXPECT_LT(ended, windows.size()) << "the file ends";
    EXPECT_LT(again, windows.size()) << "started again by the watch";
    EXPECT_LT(thirdPlay, windows.size()) << "and again";
    EXPECT_LT(loudness(capture().listen(300ms)), 50) << "closing ends the sound";
}

TEST_F(MusicPlayback, WavLoopsUntilStopped)
{
    Hoarveil_BGM.BgmKind = 2;
    Hoarveil_BGM.BgmFile = folder.path() + "/snow.wav";
    testing_support::writeWav(Hoarveil_BGM.BgmFile, testing_support::stereoSine(660, 0.4));
    WavStart();
    std::this_thread::sleep_for(1000ms);
    EXPECT_TRUE(near(dominantFrequency(capture().listen(500ms)), 660)) << "still sounding long after the file's end";
    WavStop();
    EXPECT_LT(loudness(capture().listen(300ms)), 50);
}

}  // namespace

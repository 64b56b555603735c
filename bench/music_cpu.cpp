// CPU the saver spends on its music while it plays, measured on the music module itself: an
// MP3 with its 1000 ms watch, and an audio CD (a BIN/CUE image of tones) with its 200 ms watch,
// each for the given seconds. Output goes through SDL's disk driver into /dev/null, which
// takes it in real time as a sound card does. getrusage sees every thread: the module's, SDL's
// audio thread and the CD reader.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "saver/music/hoarveil_bgm.h"
#include "saver/startup/shared_settings.h"
#include "tests/support/audio_tone.h"
#include "tests/support/cd_image.h"
#include "tests/support/temp_folder.h"

namespace {

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the watch at its interval for the time given; prints the share of one core used and
// the device's mode at the end, to show it really played.
void measure(const char* what, void (*watch)(), std::chrono::milliseconds interval, double seconds,
             const char* modeQuery)
{
    const double cpuBefore = processCpuSeconds();
    const auto begin = std::chrono::steady_clock::now();
    const auto end = begin + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                 std::chrono::duration<double>(seconds));
    for (auto next = begin; next < end; next += interval) {
        std::this_thread::sleep_until(next);
        watch();
    }
    std::this_thread::sleep_until(end);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    const double cpu = processCpuSeconds() - cpuBefore;
    std::printf("%-32s %6.2f%% of one core (%.3f s CPU in %.1f s, %s)\n", what, 100.0 * cpu / wall, cpu, wall,
                MciStatus(modeQuery).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    testing_support::TempFolder folder;

    // A 4-minute song, as a user's file would be.
    Hoarveil_BGM.BgmFile = folder.path() + "/song.mp3";
    if (!testing_support::writeMp3(Hoarveil_BGM.BgmFile, 440, 240)) {
        std::fprintf(stderr, "music_cpu_bench: lame failed\n");
        return 1;
    }
    Mp3Start();
    measure("MP3 (Timer1, 1000 ms)", Mp3Watch, std::chrono::milliseconds(1000), seconds, "status MP3Play mode");
    Mp3Close();

    setenv("HOARVEIL_CD_DEVICE",
           testing_support::writeToneCd(folder.path(), {{300, 20}, {450, 4}, {700, 20}}).c_str(), 1);
    Hoarveil_BGM.BgmRepeat = 0;
    CdOpen();
    measure("CD, whole disc (Timer2, 200 ms)", CdWatch, std::chrono::milliseconds(200), seconds,
            "status cdaudio mode");
    CdClose();
    Hoarveil_BGM.BgmRepeat = 2;
    CdOpen();
    measure("CD, 4 s track 2 looped", CdWatch, std::chrono::milliseconds(200), seconds, "status cdaudio mode");
    CdClose();
    return 0;
}

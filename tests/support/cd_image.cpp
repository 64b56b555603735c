#include "tests/support/cd_image.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "tests/support/audio_tone.h"

namespace testing_support {

std::string writeToneCd(const std::string& folder, const std::vector<ToneTrack>& tracks)
{
    constexpr int framesPerSector = 588;
    std::ofstream bin(folder + "/x.bin", std::ios::binary);
    std::ofstream cue(folder + "/x.cue");
    cue << "FILE \"x.bin\" BINARY\n";
    long sector = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const long sectors = std::lround(tracks[i].seconds * 75);
        char entry[96];
        std::snprintf(entry, sizeof entry, "  TRACK %02zu AUDIO\n    INDEX 01 %02ld:%02ld:%02ld\n", i + 1,
                      sector / 75 / 60, sector / 75 % 60, sector % 75);
        cue << entry;
        const auto samples = stereoSine(tracks[i].frequency, static_cast<double>(sectors * framesPerSector) / toneRate);
        for (std::int16_t sample : samples) {
            const char bytes[2] = {static_cast<char>(sample & 0xFF), static_cast<char>((sample >> 8) & 0xFF)};
            bin.write(bytes, 2);
        }
        sector += sectors;
    }
    return folder + "/x.cue";
}

}  // namespace testing_support

#pragma once
// Audio CDs for the tests, as BIN/CUE images: x.cue and x.bin in a folder (libcdio ignores the
// cue's FILE line and opens the .bin of the cue's own base name). Each track is a sine tone of
// its own frequency in raw CD-DA: 44.1 kHz, 16-bit little-endian stereo, 2352-byte sectors.
#include <string>
#include <vector>

namespace testing_support {

struct ToneTrack {
    double frequency = 440;
    double seconds = 2;  // rounded to whole sectors of 1/75 s
};

// Writes the image; returns the path of the cue sheet.
std::string writeToneCd(const std::string& folder, const std::vector<ToneTrack>& tracks);

}  // namespace testing_support

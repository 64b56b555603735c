#pragma once
// Tones for the music tests, and the ear that checks them: sine waves written as WAV or MP3
// files, and the raw output of SDL's disk audio driver (44.1 kHz, 16-bit little-endian stereo)
// read back and measured for its frequency and loudness.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

inline constexpr int toneRate = 44100;

// Interleaved stereo samples of a sine at half scale.
std::vector<std::int16_t> stereoSine(double frequency, double seconds);
void writeWav(const std::string& path, const std::vector<std::int16_t>& stereoSamples);
// A WAV of the tone, encoded to MP3 by lame; false when lame fails.
bool writeMp3(const std::string& path, double frequency, double seconds);

// The frequency of the left channel by its rising zero crossings; 0 for silence.
double dominantFrequency(const std::vector<std::int16_t>& stereoSamples);
// Root mean square of all samples, 0 to 32767.
double loudness(const std::vector<std::int16_t>& stereoSamples);

// The file SDL's disk driver writes while a process plays (SDL_AUDIODRIVER=disk,
// SDL_DISKAUDIOFILE=the path), read as it grows.
class DiskAudioFile {
public:
    explicit DiskAudioFile(std::string path) : file(std::move(path)) {}
    const std::string& path() const { return file; }
    // Bytes written so far.
    std::size_t size() const;
    // The samples written from `offset` bytes on, `duration` long (less when not written yet).
    std::vector<std::int16_t> samples(std::size_t offset, std::chrono::milliseconds duration) const;
    // The samples from `offset` on, `duration` long, once they are written (waiting about as
    // long as they take to play).
    std::vector<std::int16_t> recorded(std::size_t offset, std::chrono::milliseconds duration) const;
    // The samples written during the coming `duration`.
    std::vector<std::int16_t> listen(std::chrono::milliseconds duration) const;

private:
    std::string file;
};

// Listens in windows of a tenth of a second until the tone has sounded, fallen silent and
// sounded again, or the limit has passed: whether it came back.
bool toneReturnsAfterSilence(const DiskAudioFile& sound, double frequency, std::chrono::milliseconds limit);

// Listens from the recording's present end, a tenth of a second at a time, until the tone
// sounds or the limit has passed: where in the recording it was first heard. Positions in the
// recording are the sound's own time, whatever lag its writer has on a busy machine.
std::optional<std::size_t> toneHeard(const DiskAudioFile& sound, double frequency, std::chrono::milliseconds limit);
// The share of the tenth-of-a-second windows in which something sounds, over the stretch of
// the recording from `offset` on, once it is written. A busy machine may make a sound choppy
// (the player's buffers run dry), never silent for long.
double soundingShare(const DiskAudioFile& sound, std::size_t offset, std::chrono::milliseconds duration);

// Sends this process's own sound to the file: to be called before SDL starts.
DiskAudioFile captureOwnSound(const std::string& path);

std::size_t bytesFor(std::chrono::milliseconds duration);

}  // namespace testing_support

#include "tests/support/audio_tone.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <thread>

#include "tests/support/child_process.h"

namespace testing_support {

namespace {

void put16(std::ofstream& out, std::uint16_t value)
{
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::vector<std::int16_t> stereoSine(double frequency, double seconds)
{
    const auto frames = static_cast<std::size_t>(std::lround(seconds * toneRate));
    std::vector<std::int16_t> samples(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const double value = 16000.0 * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(i) / toneRate);
        samples[2 * i] = samples[2 * i + 1] = static_cast<std::int16_t>(std::lround(value));
    }
    return samples;
}

void writeWav(const std::string& path, const std::vector<std::int16_t>& stereoSamples)
{
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(stereoSamples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 2);
    put32(out, toneRate);
    put32(out, toneRate * 4);
    put16(out, 4);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (std::int16_t sample : stereoSamples)
        put16(out, static_cast<std::uint16_t>(sample));
}

bool writeMp3(const std::string& path, double frequency, double seconds)
{
    const std::string wav = path + ".source.wav";
    writeWav(wav, stereoSine(frequency, seconds));
    ChildProcess lame({"/usr/bin/lame", "--quiet", "-b", "128", wav, path});
    const auto exit = lame.waitForExit(std::chrono::seconds(30));
    std::filesystem::remove(wav);
    return exit == 0;
}

double dominantFrequency(const std::vector<std::int16_t>& stereoSamples)
{
    const std::size_t frames = stereoSamples.size() / 2;
    // Crossings of a small band around zero, so that quiet noise doesn't count.
    constexpr int band = 300;
    std::size_t first = 0, last = 0, crossings = 0;
    bool below = true;
    for (std::size_t i = 0; i < frames; ++i) {
        const int value = stereoSamples[2 * i];
        if (below && value > band) {
            below = false;
            if (crossings++ == 0)
                first = i;
            last = i;
        } else if (!below && value < -band) {
            below = true;
        }
    }
    if (crossings < 2)
        return 0;
    return static_cast<double>(crossings - 1) * toneRate / static_cast<double>(last - first);
}

double loudness(const std::vector<std::int16_t>& stereoSamples)
{
    if (stereoSamples.empty())
        return 0;
    double sum = 0;
    for (std::int16_t sample : stereoSamples)
        sum += static_cast<double>(sample) * sample;
    return std::sqrt(sum / static_cast<double>(stereoSamples.size()));
}

std::size_t bytesFor(std::chrono::milliseconds duration)
{
    return static_cast<std::size_t>(duration.count()) * toneRate / 1000 * 4;
}

DiskAudioFile captureOwnSound(const std::string& path)
{
    std::filesystem::remove(path);
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    return DiskAudioFile(path);
}

std::size_t DiskAudioFile::size() const
{
    std::error_code error;
    const auto bytes = std::filesystem::file_size(file, error);
    return error ? 0 : static_cast<std::size_t>(bytes);
}

std::vector<std::int16_t> DiskAudioFile::samples(std::size_t offset, std::chrono::milliseconds duration) const
{
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset & ~std::size_t{3}));
    std::vector<char> bytes(bytesFor(duration));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()) & ~std::size_t{3});
    std::vector<std::int16_t> result(bytes.size() / 2);
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                              static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    return result;
}

std::vector<std::int16_t> DiskAudioFile::recorded(std::size_t offset, std::chrono::milliseconds duration) const
{
    // The recording grows in real time, a buffer at a time: wait until the stretch is on disk.
    const auto deadline = std::chrono::steady_clock::now() + duration * 3 + std::chrono::seconds(1);
    while (size() < offset + bytesFor(duration) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return samples(offset, duration);
}

std::vector<std::int16_t> DiskAudioFile::listen(std::chrono::milliseconds duration) const
{
    return recorded(size(), duration);
}

namespace {

constexpr std::chrono::milliseconds window{100};

bool holdsTone(const std::vector<std::int16_t>& samples, double frequency)
{
    return std::abs(dominantFrequency(samples) - frequency) < frequency * 0.04;
}

}  // namespace

bool toneReturnsAfterSilence(const DiskAudioFile& sound, double frequency, std::chrono::milliseconds limit)
{
    enum class Heard { Nothing, Tone, ToneAfterSilence, ToneAgain };
    Heard heard = Heard::Nothing;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (heard != Heard::ToneAgain && std::chrono::steady_clock::now() < deadline) {
        const auto samples = sound.listen(window);
        const bool tone = holdsTone(samples, frequency);
        if (tone && heard == Heard::Nothing)
            heard = Heard::Tone;
        else if (!tone && loudness(samples) < 50 && heard == Heard::Tone)
            heard = Heard::ToneAfterSilence;
        else if (tone && heard == Heard::ToneAfterSilence)
            heard = Heard::ToneAgain;
    }
    return heard == Heard::ToneAgain;
}

std::optional<std::size_t> toneHeard(const DiskAudioFile& sound, double frequency, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (std::size_t offset = sound.size(); std::chrono::steady_clock::now() < deadline; offset += bytesFor(window))
        if (holdsTone(sound.recorded(offset, window), frequency))
            return offset;
    return std::nullopt;
}

double soundingShare(const DiskAudioFile& sound, std::size_t offset, std::chrono::milliseconds duration)
{
    int windows = 0, sounding = 0;
    for (auto at = std::chrono::milliseconds(0); at < duration; at += window, offset += bytesFor(window)) {
        ++windows;
        sounding += loudness(sound.recorded(offset, window)) >= 1000;
    }
    return windows ? static_cast<double>(sounding) / windows : 0;
}

}  // namespace testing_support

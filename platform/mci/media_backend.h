#pragma once
// What the command interpreter needs from the machine: an audio CD drive, music files that
// decode and play, the waveform sound player and the count of output devices. The system
// backend plays through SDL and reads discs through libcdio; tests and the fuzzer hand in
// their own.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/mci/error_codes.h"

namespace platform::mci {

// Sectors (1/75 s of 16-bit stereo 44.1 kHz audio, 2352 bytes) counted from the first track.
using Sector = std::int32_t;
inline constexpr int sectorsPerSecond = 75;
inline constexpr std::size_t bytesPerSector = 2352;

struct DiscTrack {
    int number = 0;
    Sector start = 0;
    Sector end = 0;  // one past the track's last sector
    bool audio = true;
};

// A disc's table of contents; tracks are in ascending order and at least one.
struct DiscLayout {
    std::vector<DiscTrack> tracks;

    Sector start() const { return tracks.front().start; }
    Sector end() const { return tracks.back().end; }
    // The track with this number, or null.
    const DiscTrack* track(int number) const;
    // The track holding the sector (the last track for the end of the disc).
    const DiscTrack& trackAt(Sector sector) const;
};

// The drive behind "cdaudio". Playback runs on its own; the interpreter polls it.
class CdDrive {
public:
    virtual ~CdDrive() = default;
    // The disc in the drive, or nothing when there is no readable disc.
    virtual std::optional<DiscLayout> readDisc() = 0;
    // Plays the audio tracks among sectors [from, to) of the disc last read, skipping data
    // tracks, and returns at once. False when there is no audio output.
    virtual bool play(Sector from, Sector to) = 0;
    virtual void stop() = 0;
    struct Playback {
        bool running = false;
        Sector sector = 0;  // the sector being heard; where playback ended once it has
    };
    virtual Playback playback() = 0;
};

// An opened music file. Positions are milliseconds from its start.
class MusicFile {
public:
    virtual ~MusicFile() = default;
    // Plays from `from`, up to `to` or the end, and returns at once. False when it can't start.
    virtual bool play(std::uint32_t from, std::optional<std::uint32_t> to) = 0;
    virtual void stop() = 0;
    virtual bool playing() = 0;
    virtual std::uint32_t position() = 0;
    virtual std::uint32_t length() = 0;
};

class MediaBackend {
public:
    virtual ~MediaBackend() = default;
    // The audio CD drive, or null when the machine has none.
    virtual std::unique_ptr<CdDrive> openCdDrive() = 0;
    // The decoded file, or null with the reason in `error`: MCIERR_FILE_NOT_FOUND,
    // MCIERR_FILE_READ, MCIERR_INVALID_FILE, or MCIERR_WAVE_OUTPUTSUNSUITABLE without output.
    virtual std::unique_ptr<MusicFile> openMusicFile(const std::string& path, MciError& error) = 0;
    // Plays a WAV file in the background, once or in a loop, or to its end when not `async`.
    // False when it can't be played.
    virtual bool playSound(const std::string& path, bool async, bool loop) = 0;
    virtual void stopSound() = 0;
    virtual unsigned outputDeviceCount() = 0;
};

}  // namespace platform::mci

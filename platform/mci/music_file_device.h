#pragma once
// A music file opened with type MPEGVideo (or waveaudio): positions in milliseconds; stop and
// pause keep the position, so a plain "play" goes on from there, "play ... from 0" starts over.
#include <memory>
#include <optional>

#include "platform/mci/media_backend.h"
#include "platform/mci/media_device.h"

namespace platform::mci {

class MusicFileDevice final : public MediaDevice {
public:
    explicit MusicFileDevice(std::unique_ptr<MusicFile> file);
    ~MusicFileDevice() override;

    MciError play(const std::optional<std::string>& from, const std::optional<std::string>& to) override;
    MciError stop() override;
    MciError pause() override;
    MciError resume() override;
    MciError setTimeFormat(TimeFormat format) override;
    MciError status(const StatusQuery& query, std::string& reply) override;

private:
    enum class Mode { Stopped, Playing, Paused };

    void settle();
    std::uint32_t currentPosition();
    MciError startPlayback(std::uint32_t from, std::optional<std::uint32_t> to);
    // Halts playback, keeping its position, and leaves the device in `next`.
    void halt(Mode next);

    std::unique_ptr<MusicFile> file;
    Mode mode = Mode::Stopped;
    std::uint32_t position = 0;  // while not playing
    std::optional<std::uint32_t> playEnd;
};

}  // namespace platform::mci

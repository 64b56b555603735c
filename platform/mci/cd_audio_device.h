#pragma once
// The "cdaudio" device: a transport over the drive. Playing runs from the current position
// (or "from") to the end of the disc (or "to"); a disc that has played out goes back to its
// start, so that a plain "play" starts it again.
#include <memory>
#include <optional>

#include "platform/mci/media_backend.h"
#include "platform/mci/media_device.h"

namespace platform::mci {

class CdAudioDevice final : public MediaDevice {
public:
    explicit CdAudioDevice(std::unique_ptr<CdDrive> drive);
    ~CdAudioDevice() override;

    MciError play(const std::optional<std::string>& from, const std::optional<std::string>& to) override;
    MciError stop() override;
    MciError pause() override;
    MciError resume() override;
    MciError setTimeFormat(TimeFormat format) override;
    MciError status(const StatusQuery& query, std::string& reply) override;

private:
    enum class Mode { Stopped, Playing, Paused };

    // Reads the disc when none is known yet; false when the drive has none.
    bool discReady();
    // Notices a playback that has run out.
    void settle();
    Sector currentPosition();
    MciError startPlayback(Sector from, Sector to);

    std::unique_ptr<CdDrive> drive;
    std::optional<DiscLayout> disc;
    TimeFormat format = TimeFormat::Msf;
    Mode mode = Mode::Stopped;
    Sector position = 0;  // while not playing
    Sector playEnd = 0;   // where the running or paused playback ends
};

}  // namespace platform::mci

#pragma once
// The "cdaudio" drive of the system backend: the disc read through libcdio, its sectors
// streamed to the SDL output.
#include <memory>
#include <string>

#include "platform/mci/cdio/cdio_disc.h"
#include "platform/mci/media_backend.h"
#include "platform/mci/sdl/audio_output.h"
#include "platform/mci/sdl/cd_streamer.h"

namespace platform::mci {

class SystemCdDrive final : public CdDrive {
public:
    SystemCdDrive(std::string drivePath, SdlAudioOutput& output);

    std::optional<DiscLayout> readDisc() override;
    bool play(Sector from, Sector to) override;
    void stop() override;
    Playback playback() override;

private:
    std::string drivePath;
    std::unique_ptr<CdioDisc> disc;
    CdStreamer streamer;  // after the disc: it stops before the disc closes
};

}  // namespace platform::mci

#include "platform/mci/sdl/cd_drive.h"

namespace platform::mci {

SystemCdDrive::SystemCdDrive(std::string drivePath, SdlAudioOutput& output)
    : drivePath(std::move(drivePath)), streamer(output)
{
}

std::optional<DiscLayout> SystemCdDrive::readDisc()
{
    streamer.stop();
    disc = CdioDisc::open(drivePath);
    if (!disc)
        return std::nullopt;
    return disc->layout();
}

bool SystemCdDrive::play(Sector from, Sector to) { return disc && streamer.start(*disc, from, to); }

void SystemCdDrive::stop() { streamer.stop(); }

CdDrive::Playback SystemCdDrive::playback() { return streamer.playback(); }

}  // namespace platform::mci

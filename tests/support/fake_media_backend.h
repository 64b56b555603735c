#pragma once
// A media backend the test controls: a drive with the disc it is given, files that exist by
// name, an output that can be taken away, and playback that moves only when the test advances
// the clock. Nothing is heard.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/mci/media_backend.h"

namespace testing_support {

struct FakeMedia {
    bool hasDrive = true;
    std::optional<platform::mci::DiscLayout> disc;
    bool hasOutput = true;
    // Playable files by path, with their length in milliseconds.
    std::map<std::string, std::uint32_t> files;
    // Paths that exist but can't be read, and files that are no music.
    std::vector<std::string> unreadable, undecodable;
    std::int64_t nowMs = 0;

    // What was asked of the sound player: "loop <path>", "once <path>", "stop".
    std::vector<std::string> soundRequests;
    unsigned outputDevices = 1;
};

class FakeMediaBackend final : public platform::mci::MediaBackend {
public:
    FakeMedia media;

    // Moves every playback on.
    void advance(std::int64_t milliseconds) { media.nowMs += milliseconds; }
    // A disc of tracks of these lengths in sectors, numbered from 1; data tracks where marked.
    static platform::mci::DiscLayout disc(const std::vector<int>& sectors, const std::vector<int>& dataTracks = {});

    std::unique_ptr<platform::mci::CdDrive> openCdDrive() override;
    std::unique_ptr<platform::mci::MusicFile> openMusicFile(const std::string& path,
                                                            platform::mci::MciError& error) override;
    bool playSound(const std::string& path, bool async, bool loop) override;
    void stopSound() override;
    unsigned outputDeviceCount() override { return media.hasOutput ? media.outputDevices : 0; }
};

}  // namespace testing_support

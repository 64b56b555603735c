#pragma once
// Runs media-control command strings against the devices it has opened: "open", "close",
// "play", "stop", "pause", "resume", "set ... time format", "status". Devices are known by
// their alias, or by the name they were opened with, in any case. Every malformed command
// gives an error code; none is ever run through a shell.
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mci/command_words.h"
#include "platform/mci/media_backend.h"
#include "platform/mci/media_device.h"

namespace platform::mci {

class CommandInterpreter {
public:
    explicit CommandInterpreter(MediaBackend& backend);
    ~CommandInterpreter();

    // 0 or an error code; the device's answer, possibly empty, goes to `reply`.
    MciError execute(std::string_view command, std::string& reply);

private:
    struct OpenDevice {
        std::string name;
        std::unique_ptr<MediaDevice> device;
    };

    MciError open(std::span<const CommandWord> words);
    MediaDevice* find(std::string_view name);

    MediaBackend& backend;
    std::vector<OpenDevice> devices;
};

}  // namespace platform::mci

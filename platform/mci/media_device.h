#pragma once
// One open device of the interpreter: the audio CD or a music file. Commands arrive parsed;
// positions still as text, since their meaning depends on the device's time format.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/mci/error_codes.h"
#include "platform/mci/time_format.h"

namespace platform::mci {

enum class StatusItem { Mode, CurrentTrack, NumberOfTracks, Position, Length, MediaPresent, Ready, TimeFormat };

struct StatusQuery {
    StatusItem item = StatusItem::Mode;
    std::optional<std::uint32_t> track;  // "position track n", "length track n"
};

class MediaDevice {
public:
    virtual ~MediaDevice() = default;
    virtual MciError play(const std::optional<std::string>& from, const std::optional<std::string>& to) = 0;
    virtual MciError stop() = 0;
    virtual MciError pause() = 0;
    virtual MciError resume() = 0;
    virtual MciError setTimeFormat(TimeFormat format) = 0;
    virtual MciError status(const StatusQuery& query, std::string& reply) = 0;
};

}  // namespace platform::mci

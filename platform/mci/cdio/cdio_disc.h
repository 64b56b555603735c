#pragma once
// An audio CD read through libcdio: a drive, or a BIN/CUE image standing in for one. The drive
// is the one HOARVEIL_CD_DEVICE names, else libcdio's default drive.
#include <cdio/cdio.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/mci/media_backend.h"

namespace platform::mci {

// The drive's path, or nothing when there is no drive (or the one named does not exist).
std::optional<std::string> cdDrivePath();

class CdioDisc {
public:
    // The disc in the drive, or null when there is no readable disc with tracks.
    static std::unique_ptr<CdioDisc> open(const std::string& drivePath);
    ~CdioDisc();
    CdioDisc(const CdioDisc&) = delete;
    CdioDisc& operator=(const CdioDisc&) = delete;

    const DiscLayout& layout() const { return tracks; }
    // Raw CD-DA: `count` sectors of 2352 bytes, 16-bit little-endian stereo.
    bool readAudio(Sector first, unsigned count, std::uint8_t* into);

private:
    CdioDisc(CdIo_t* handle, DiscLayout tracks) : handle(handle), tracks(std::move(tracks)) {}

    CdIo_t* handle;
    DiscLayout tracks;
};

}  // namespace platform::mci

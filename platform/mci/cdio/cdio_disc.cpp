#include "platform/mci/cdio/cdio_disc.h"

#include <cdio/logging.h>
#include <sys/stat.h>

#include <cstdlib>

namespace platform::mci {

namespace {

// libcdio reports every failed probe on stderr; a missing drive or disc is an answer here,
// given through the result codes.
void quietLibcdio()
{
    static const bool silenced = [] {
        cdio_log_set_handler([](cdio_log_level_t, const char*) {});
        return true;
    }();
    (void)silenced;
}

std::optional<DiscLayout> readLayout(CdIo_t* handle)
{
    const track_t first = cdio_get_first_track_num(handle);
    const track_t count = cdio_get_num_tracks(handle);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return std::nullopt;
    DiscLayout disc;
    for (int number = first; number < first + count; ++number) {
        const lsn_t start = cdio_get_track_lsn(handle, static_cast<track_t>(number));
        const lsn_t end = number + 1 < first + count ? cdio_get_track_lsn(handle, static_cast<track_t>(number + 1))
                                                     : cdio_get_track_lsn(handle, CDIO_CDROM_LEADOUT_TRACK);
        const Sector previousEnd = disc.tracks.empty() ? 0 : disc.tracks.back().end;
        if (start == CDIO_INVALID_LSN || end == CDIO_INVALID_LSN || start < previousEnd || end < start)
            return std::nullopt;
        disc.tracks.push_back({number, start, end,
                               cdio_get_track_format(handle, static_cast<track_t>(number)) == TRACK_FORMAT_AUDIO});
    }
    return disc;
}

}  // namespace

std::optional<std::string> cdDrivePath()
{
    quietLibcdio();
    if (const char* named = std::getenv("HOARVEIL_CD_DEVICE"); named && *named) {
        struct stat status {};
        if (::stat(named, &status) != 0)
            return std::nullopt;
        return std::string(named);
    }
    char* found = cdio_get_default_device(nullptr);
    if (!found)
        return std::nullopt;
    std::string path(found);
    cdio_free(found);
    return path;
}

std::unique_ptr<CdioDisc> CdioDisc::open(const std::string& drivePath)
{
    quietLibcdio();
    CdIo_t* handle = cdio_open(drivePath.c_str(), DRIVER_UNKNOWN);
    if (!handle)
        return nullptr;
    auto layout = readLayout(handle);
    if (!layout) {
        cdio_destroy(handle);
        return nullptr;
    }
    return std::unique_ptr<CdioDisc>(new CdioDisc(handle, std::move(*layout)));
}

CdioDisc::~CdioDisc() { cdio_destroy(handle); }

bool CdioDisc::readAudio(Sector first, unsigned count, std::uint8_t* into)
{
    return cdio_read_audio_sectors(handle, into, first, count) == DRIVER_OP_SUCCESS;
}

}  // namespace platform::mci

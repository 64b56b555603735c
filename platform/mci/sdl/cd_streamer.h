#pragma once
// Streams a stretch of a disc to the audio output: a reader thread keeps a ring of sectors
// about a second ahead, the output's thread mixes them in as it plays. Data tracks are
// skipped; a read that fails (a scratch, a disc taken out) ends the playback.
#include <array>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "platform/mci/cdio/cdio_disc.h"
#include "platform/mci/media_backend.h"
#include "platform/mci/sdl/audio_output.h"

namespace platform::mci {

class CdStreamer final : public PcmSource {
public:
    explicit CdStreamer(SdlAudioOutput& output);
    ~CdStreamer();
    CdStreamer(const CdStreamer&) = delete;
    CdStreamer& operator=(const CdStreamer&) = delete;

    // Plays sectors [from, to) of the disc, which must outlive the playback. False without output.
    bool start(CdioDisc& disc, Sector from, Sector to);
    void stop();
    CdDrive::Playback playback();

    void mixInto(std::uint8_t* stream, std::size_t bytes) override;

private:
    static constexpr std::size_t ringSectors = 64;
    static constexpr unsigned batchSectors = 8;

    void readAhead(const std::stop_token& stopping, CdioDisc& disc);
    // The first sector at or after `sector` that lies in an audio track.
    Sector nextAudioSector(Sector sector) const;

    SdlAudioOutput& output;

    // Shared with the reader and the output's thread.
    std::mutex lock;
    std::condition_variable_any roomFreed;
    std::vector<std::uint8_t> ring;
    std::array<Sector, ringSectors> ringSector{};
    std::size_t head = 0;        // the slot being played
    std::size_t filled = 0;      // slots holding sectors not yet played out
    std::size_t headOffset = 0;  // bytes of the head slot already played
    Sector nextRead = 0;
    Sector end = 0;
    bool readerDone = true;
    std::vector<DiscTrack> tracks;

    std::jthread reader;
};

}  // namespace platform::mci

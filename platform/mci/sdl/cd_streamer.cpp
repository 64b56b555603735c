#include "platform/mci/sdl/cd_streamer.h"

#include <algorithm>
#include <cstring>

namespace platform::mci {

namespace {

// Adds little-endian 16-bit samples into the stream, clipping at full scale.
void addSamples(std::uint8_t* stream, const std::uint8_t* samples, std::size_t bytes)
{
    for (std::size_t i = 0; i + 1 < bytes; i += 2) {
        const auto mixed = static_cast<std::int16_t>(stream[i] | stream[i + 1] << 8);
        const auto added = static_cast<std::int16_t>(samples[i] | samples[i + 1] << 8);
        const int sum = std::clamp(mixed + added, -32768, 32767);
        stream[i] = static_cast<std::uint8_t>(sum & 0xFF);
        stream[i + 1] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    }
}

}  // namespace

CdStreamer::CdStreamer(SdlAudioOutput& output) : output(output), ring(ringSectors * bytesPerSector) {}

CdStreamer::~CdStreamer() { stop(); }

bool CdStreamer::start(CdioDisc& disc, Sector from, Sector to)
{
    stop();
    if (!output.open())
        return false;
    {
        std::lock_guard guard(lock);
        head = filled = headOffset = 0;
        nextRead = from;
        end = to;
        readerDone = false;
        tracks = disc.layout().tracks;
    }
    reader = std::jthread([this, &disc](std::stop_token stopping) { readAhead(stopping, disc); });
    output.attach(*this);
    return true;
}

void CdStreamer::stop()
{
    output.detach(*this);
    if (reader.joinable()) {
        reader.request_stop();
        reader.join();
    }
    std::lock_guard guard(lock);
    filled = 0;
    readerDone = true;
}

CdDrive::Playback CdStreamer::playback()
{
    std::lock_guard guard(lock);
    return {!(readerDone && filled == 0), filled > 0 ? ringSector[head] : nextRead};
}

Sector CdStreamer::nextAudioSector(Sector sector) const
{
    for (const DiscTrack& track : tracks) {
        if (sector >= track.end)
            continue;
        if (track.audio)
            return std::max(sector, track.start);
        sector = track.end;
    }
    return sector;
}

void CdStreamer::readAhead(const std::stop_token& stopping, CdioDisc& disc)
{
    std::vector<std::uint8_t> batch(batchSectors * bytesPerSector);
    while (true) {
        Sector first = 0;
        unsigned count = 0;
        {
            std::unique_lock guard(lock);
            if (!roomFreed.wait(guard, stopping, [&] { return ringSectors - filled >= batchSectors; }))
                return;
            first = nextAudioSector(nextRead);
            if (first >= end) {
                nextRead = end;
                readerDone = true;
                return;
            }
            const Sector trackEnd = std::min(end, std::find_if(tracks.begin(), tracks.end(), [&](const DiscTrack& t) {
                                                      return first < t.end;
                                                  })->end);
            count = static_cast<unsigned>(std::min<Sector>(batchSectors, trackEnd - first));
        }
        const bool read = disc.readAudio(first, count, batch.data());
        std::lock_guard guard(lock);
        if (!read) {
            nextRead = first;
            readerDone = true;
            return;
        }
        for (unsigned i = 0; i < count; ++i) {
            const std::size_t slot = (head + filled) % ringSectors;
            std::memcpy(&ring[slot * bytesPerSector], &batch[i * bytesPerSector], bytesPerSector);
            ringSector[slot] = first + static_cast<Sector>(i);
            ++filled;
        }
        nextRead = first + static_cast<Sector>(count);
    }
}

void CdStreamer::mixInto(std::uint8_t* stream, std::size_t bytes)
{
    std::lock_guard guard(lock);
    bool freed = false;
    std::size_t mixed = 0;
    while (mixed < bytes && filled > 0) {
        const std::size_t take = std::min(bytesPerSector - headOffset, bytes - mixed);
        addSamples(stream + mixed, &ring[head * bytesPerSector + headOffset], take);
        mixed += take;
        headOffset += take;
        if (headOffset == bytesPerSector) {
            headOffset = 0;
            head = (head + 1) % ringSectors;
            --filled;
            freed = true;
        }
    }
    if (freed)
        roomFreed.notify_one();
}

}  // namespace platform::mci

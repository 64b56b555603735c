#include "tests/support/fake_media_backend.h"

#include <algorithm>

namespace testing_support {

using namespace platform::mci;

namespace {

// A playback running on the fake clock, in any unit per millisecond.
struct FakePlayback {
    bool started = false;
    std::int64_t from = 0, to = 0, startedAt = 0;
    double unitsPerMs = 1;

    std::int64_t at(std::int64_t now) const
    {
        return std::min(to, from + static_cast<std::int64_t>(static_cast<double>(now - startedAt) * unitsPerMs));
    }
    bool running(std::int64_t now) const { return started && at(now) < to; }
};

class FakeCdDrive final : public CdDrive {
public:
    explicit FakeCdDrive(FakeMedia& media) : media(media) {}

    std::optional<DiscLayout> readDisc() override
    {
        known = media.disc;
        return known;
    }
    bool play(Sector from, Sector to) override
    {
        stop();
        if (!media.hasOutput || !known)
            return false;
        current = {true, from, to, media.nowMs, sectorsPerSecond / 1000.0};
        return true;
    }
    void stop() override { current.started = false; }
    Playback playback() override
    {
        return {current.running(media.nowMs), static_cast<Sector>(current.at(media.nowMs))};
    }

private:
    FakeMedia& media;
    std::optional<DiscLayout> known;
    FakePlayback current;
};

class FakeMusicFile final : public MusicFile {
public:
    FakeMusicFile(FakeMedia& media, std::uint32_t milliseconds) : media(media), milliseconds(milliseconds) {}

    bool play(std::uint32_t from, std::optional<std::uint32_t> to) override
    {
        if (!media.hasOutput)
            return false;
        current = {true, from, to.value_or(milliseconds), media.nowMs, 1.0};
        return true;
    }
    void stop() override { current.started = false; }
    bool playing() override { return current.running(media.nowMs); }
    std::uint32_t position() override { return static_cast<std::uint32_t>(current.at(media.nowMs)); }
    std::uint32_t length() override { return milliseconds; }

private:
    FakeMedia& media;
    std::uint32_t milliseconds;
    FakePlayback current;
};

bool listed(const std::vector<std::string>& paths, const std::string& path)
{
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

}  // namespace

DiscLayout FakeMediaBackend::disc(const std::vector<int>& sectors, const std::vector<int>& dataTracks)
{
    DiscLayout layout;
    Sector start = 0;
    for (std::size_t i = 0; i < sectors.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const bool data = std::find(dataTracks.begin(), dataTracks.end(), number) != dataTracks.end();
        layout.tracks.push_back({number, start, start + sectors[i], !data});
        start += sectors[i];
    }
    return layout;
}

std::unique_ptr<CdDrive> FakeMediaBackend::openCdDrive()
{
    if (!media.hasDrive)
        return nullptr;
    return std::make_unique<FakeCdDrive>(media);
}

std::unique_ptr<MusicFile> FakeMediaBackend::openMusicFile(const std::string& path, MciError& error)
{
    if (listed(media.unreadable, path)) {
        error = MCIERR_FILE_READ;
        return nullptr;
    }
    if (listed(media.undecodable, path)) {
        error = MCIERR_INVALID_FILE;
        return nullptr;
    }
    const auto file = media.files.find(path);
    if (file == media.files.end()) {
        error = MCIERR_FILE_NOT_FOUND;
        return nullptr;
    }
    if (!media.hasOutput) {
        error = MCIERR_WAVE_OUTPUTSUNSUITABLE;
        return nullptr;
    }
    return std::make_unique<FakeMusicFile>(media, file->second);
}

bool FakeMediaBackend::playSound(const std::string& path, bool async, bool loop)
{
    if (!media.hasOutput || !media.files.contains(path))
        return false;
    media.soundRequests.push_back((loop ? "loop " : async ? "async " : "once ") + path);
    return true;
}

void FakeMediaBackend::stopSound() { media.soundRequests.push_back("stop"); }

}  // namespace testing_support

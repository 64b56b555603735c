#include "platform/mci/music_file_device.h"

#include <string>

namespace platform::mci {

namespace {

MciError parseFilePosition(const std::string& text, std::uint32_t length, std::uint32_t& position)
{
    const auto milliseconds = decimalNumber(text);
    if (!milliseconds)
        return MCIERR_BAD_INTEGER;
    if (*milliseconds > length)
        return MCIERR_OUTOFRANGE;
    position = *milliseconds;
    return MCIERR_NO_ERROR;
}

}  // namespace

MusicFileDevice::MusicFileDevice(std::unique_ptr<MusicFile> file) : file(std::move(file)) {}

MusicFileDevice::~MusicFileDevice() { file->stop(); }

void MusicFileDevice::settle()
{
    if (mode == Mode::Playing && !file->playing()) {
        mode = Mode::Stopped;
        position = playEnd.value_or(file->length());
    }
}

std::uint32_t MusicFileDevice::currentPosition()
{
    settle();
    return mode == Mode::Playing ? file->position() : position;
}

MciError MusicFileDevice::startPlayback(std::uint32_t from, std::optional<std::uint32_t> to)
{
    if (to && from > *to)
        return MCIERR_OUTOFRANGE;
    position = from;
    playEnd = to;
    mode = file->play(from, to) ? Mode::Playing : Mode::Stopped;
    return mode == Mode::Playing ? MCIERR_NO_ERROR : MCIERR_WAVE_OUTPUTSUNSUITABLE;
}

void MusicFileDevice::halt(Mode next)
{
    position = currentPosition();
    file->stop();
    mode = next;
}

MciError MusicFileDevice::play(const std::optional<std::string>& from, const std::optional<std::string>& to)
{
    std::uint32_t start = currentPosition();
    std::optional<std::uint32_t> end;
    if (from) {
        if (const MciError error = parseFilePosition(*from, file->length(), start))
            return error;
    }
    if (to) {
        std::uint32_t position = 0;
        if (const MciError error = parseFilePosition(*to, file->length(), position))
            return error;
        end = position;
    }
    return startPlayback(start, end);
}

MciError MusicFileDevice::stop()
{
    halt(Mode::Stopped);
    return MCIERR_NO_ERROR;
}

MciError MusicFileDevice::pause()
{
    settle();
    if (mode == Mode::Playing)
        halt(Mode::Paused);
    return MCIERR_NO_ERROR;
}

MciError MusicFileDevice::resume()
{
    return mode == Mode::Paused ? startPlayback(position, playEnd) : MCIERR_NO_ERROR;
}

MciError MusicFileDevice::setTimeFormat(TimeFormat format)
{
    return format == TimeFormat::Milliseconds ? MCIERR_NO_ERROR : MCIERR_BAD_TIME_FORMAT;
}

MciError MusicFileDevice::status(const StatusQuery& query, std::string& reply)
{
    if (query.track)
        return MCIERR_UNSUPPORTED_FUNCTION;
    switch (query.item) {
    case StatusItem::Mode:
        settle();
        reply = mode == Mode::Playing ? "playing" : mode == Mode::Paused ? "paused" : "stopped";
        return MCIERR_NO_ERROR;
    case StatusItem::Position:
        reply = std::to_string(currentPosition());
        return MCIERR_NO_ERROR;
    case StatusItem::Length:
        reply = std::to_string(file->length());
        return MCIERR_NO_ERROR;
    case StatusItem::MediaPresent:
    case StatusItem::Ready:
        reply = "true";
        return MCIERR_NO_ERROR;
    case StatusItem::TimeFormat:
        reply = timeFormatName(TimeFormat::Milliseconds);
        return MCIERR_NO_ERROR;
    case StatusItem::CurrentTrack:
    case StatusItem::NumberOfTracks:
        break;
    }
    return MCIERR_UNSUPPORTED_FUNCTION;
}

}  // namespace platform::mci

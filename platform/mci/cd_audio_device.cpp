#include "platform/mci/cd_audio_device.h"

#include <string>
#include <variant>

namespace platform::mci {

CdAudioDevice::CdAudioDevice(std::unique_ptr<CdDrive> drive) : drive(std::move(drive)) {}

CdAudioDevice::~CdAudioDevice() { drive->stop(); }

bool CdAudioDevice::discReady()
{
    if (!disc) {
        disc = drive->readDisc();
        if (disc)
            position = disc->start();
    }
    return disc.has_value();
}

void CdAudioDevice::settle()
{
    if (mode != Mode::Playing)
        return;
    const CdDrive::Playback playback = drive->playback();
    if (playback.running)
        return;
    mode = Mode::Stopped;
    position = playback.sector >= disc->end() ? disc->start() : playback.sector;
}

Sector CdAudioDevice::currentPosition()
{
    settle();
    return mode == Mode::Playing ? drive->playback().sector : position;
}

MciError CdAudioDevice::startPlayback(Sector from, Sector to)
{
    if (from > to)
        return MCIERR_OUTOFRANGE;
    position = from;
    playEnd = to;
    mode = drive->play(from, to) ? Mode::Playing : Mode::Stopped;
    return mode == Mode::Playing ? MCIERR_NO_ERROR : MCIERR_WAVE_OUTPUTSUNSUITABLE;
}

MciError CdAudioDevice::play(const std::optional<std::string>& from, const std::optional<std::string>& to)
{
    if (!discReady())
        return MCIERR_DEVICE_NOT_READY;
    Sector start = currentPosition();
    Sector end = disc->end();
    if (from) {
        const auto parsed = parseDiscPosition(*from, format, *disc);
        if (const MciError* error = std::get_if<MciError>(&parsed))
            return *error;
        start = std::get<Sector>(parsed);
    }
    if (to) {
        const auto parsed = parseDiscPosition(*to, format, *disc);
        if (const MciError* error = std::get_if<MciError>(&parsed))
            return *error;
        end = std::get<Sector>(parsed);
    }
    return startPlayback(start, end);
}

MciError CdAudioDevice::stop()
{
    if (!discReady())
        return MCIERR_DEVICE_NOT_READY;
    position = currentPosition();
    drive->stop();
    mode = Mode::Stopped;
    return MCIERR_NO_ERROR;
}

MciError CdAudioDevice::pause()
{
    if (!discReady())
        return MCIERR_DEVICE_NOT_READY;
    settle();
    if (mode == Mode::Playing) {
        position = currentPosition();
        drive->stop();
        mode = Mode::Paused;
    }
    return MCIERR_NO_ERROR;
}

MciError CdAudioDevice::resume()
{
    if (!discReady())
        return MCIERR_DEVICE_NOT_READY;
    return mode == Mode::Paused ? startPlayback(position, playEnd) : MCIERR_NO_ERROR;
}

MciError CdAudioDevice::setTimeFormat(TimeFormat newFormat)
{
    format = newFormat;
    return MCIERR_NO_ERROR;
}

MciError CdAudioDevice::status(const StatusQuery& query, std::string& reply)
{
    switch (query.item) {
    case StatusItem::Mode:
        if (!discReady()) {
            reply = "not ready";
            return MCIERR_NO_ERROR;
        }
        settle();
        reply = mode == Mode::Playing ? "playing" : mode == Mode::Paused ? "paused" : "stopped";
        return MCIERR_NO_ERROR;
    case StatusItem::MediaPresent:
    case StatusItem::Ready:
        reply = discReady() ? "true" : "false";
        return MCIERR_NO_ERROR;
    case StatusItem::TimeFormat:
        reply = timeFormatName(format);
        return MCIERR_NO_ERROR;
    default:
        break;
    }
    if (!discReady())
        return MCIERR_DEVICE_NOT_READY;
    const DiscTrack* track = nullptr;
    if (query.track) {
        track = *query.track <= 99 ? disc->track(static_cast<int>(*query.track)) : nullptr;
        if (!track)
            return MCIERR_OUTOFRANGE;
    }
    switch (query.item) {
    case StatusItem::CurrentTrack:
        reply = std::to_string(disc->trackAt(currentPosition()).number);
        break;
    case StatusItem::NumberOfTracks:
        reply = std::to_string(disc->tracks.size());
        break;
    case StatusItem::Position:
        reply = formatDiscPosition(track ? track->start : currentPosition(), format, *disc);
        break;
    case StatusItem::Length:
        reply = formatDiscLength(track ? track->end - track->start : disc->end() - disc->start(), format);
        break;
    default:
        break;
    }
    return MCIERR_NO_ERROR;
}

}  // namespace platform::mci

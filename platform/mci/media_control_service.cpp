#include "platform/mci/media_control_service.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace platform::mci {

namespace {

void writeText(char* buffer, unsigned capacity, std::string_view text)
{
    const std::size_t length = std::min<std::size_t>(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace

MediaControlService::MediaControlService(MediaBackend& backend) : backend(backend), interpreter(backend) {}

MCIERROR MediaControlService::sendString(const char* command, char* reply, unsigned capacity)
{
    std::lock_guard lock(serialised);
    const bool wantsReply = reply && capacity > 0;
    if (wantsReply)
        reply[0] = '\0';
    std::string answer;
    const MciError result = interpreter.execute(command ? command : "", answer);
    if (result != MCIERR_NO_ERROR || !wantsReply)
        return result;
    if (answer.size() >= capacity)
        return MCIERR_PARAM_OVERFLOW;
    writeText(reply, capacity, answer);
    return MCIERR_NO_ERROR;
}

bool MediaControlService::getErrorString(MCIERROR code, char* text, unsigned capacity)
{
    if (!text || capacity == 0)
        return false;
    const auto description = errorDescription(code);
    writeText(text, capacity, description.value_or(""));
    return description.has_value();
}

unsigned MediaControlService::waveOutDeviceCount()
{
    std::lock_guard lock(serialised);
    return backend.outputDeviceCount();
}

bool MediaControlService::playSound(const char* sound, unsigned flags)
{
    std::lock_guard lock(serialised);
    if (!sound) {
        backend.stopSound();
        return true;
    }
    // Sounds in memory or resources, and named system sounds, are not there to be had.
    if (flags & (SND_MEMORY | SND_ALIAS))
        return false;
    const bool async = flags & SND_ASYNC;
    const bool loop = flags & SND_LOOP;
    if (loop && !async)
        return false;
    return backend.playSound(sound, async, loop);
}

}  // namespace platform::mci

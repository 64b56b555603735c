// The process-wide media control: one interpreter on the system backend, made on first use
// and closed (devices stopped, output shut) when the process ends.
#include "platform/mci/media_control_service.h"
#include "platform/mci/mci.h"
#include "platform/mci/sdl/system_backend.h"

namespace platform {

namespace {

struct SystemMedia {
    mci::SystemMediaBackend backend;
    mci::MediaControlService service{backend};
};

mci::MediaControlService& systemService()
{
    static SystemMedia media;
    return media.service;
}

}  // namespace

MCIERROR mciSendString(const char* command, char* reply, unsigned capacity)
{
    return systemService().sendString(command, reply, capacity);
}

bool mciGetErrorString(MCIERROR code, char* text, unsigned capacity)
{
    return mci::MediaControlService::getErrorString(code, text, capacity);
}

unsigned waveOutGetNumDevs() { return systemService().waveOutDeviceCount(); }

bool playSound(const char* sound, unsigned flags) { return systemService().playSound(sound, flags); }

const MediaControl& systemMediaControl()
{
    static constexpr MediaControl calls{&mciSendString, &mciGetErrorString, &waveOutGetNumDevs, &playSound};
    return calls;
}

}  // namespace platform

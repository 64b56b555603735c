// The saver's music on Windows: the system's own media control interface, waveform player and
// device count answer, each call the one its name says. The platform's header comes before
// <windows.h>, whose macros carry the same names as its PlaySound flags.
#include "platform/mci/mci.h"

#include <windows.h>
#include <mmsystem.h>

// The ANSI calls are meant; these macros would rename the platform's own functions.
#undef mciSendString
#undef mciGetErrorString

namespace platform {

MCIERROR mciSendString(const char* command, char* reply, unsigned capacity)
{
    return mciSendStringA(command, reply, capacity, nullptr);
}

bool mciGetErrorString(MCIERROR code, char* text, unsigned capacity)
{
    return mciGetErrorStringA(code, text, capacity) != FALSE;
}

unsigned waveOutGetNumDevs() { return ::waveOutGetNumDevs(); }

bool playSound(const char* sound, unsigned flags) { return PlaySoundA(sound, nullptr, flags) != FALSE; }

const MediaControl& systemMediaControl()
{
    static constexpr MediaControl calls{&mciSendString, &mciGetErrorString, &waveOutGetNumDevs, &playSound};
    return calls;
}

}  // namespace platform

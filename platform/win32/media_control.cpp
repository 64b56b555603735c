// The saver's music on Windows: the system's own media control interface, waveform player and
// device count answer, each call the one its name says. The platform's header comes before
// <windows.h>, whose macros carry the same names as its PlaySound flags.
#include "platform/mci/mci.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "platform/trace.h"
#include "platform/win32/text_encoding.h"

// The ANSI calls are meant; these macros would rename the platform's own functions.
#undef mciSendString
#undef mciGetErrorString

namespace platform {

// The saver's commands and file names are UTF-8; the ANSI calls take the system's code page.
// A name it can't spell names no file there.
MCIERROR mciSendString(const char* command, char* reply, unsigned capacity)
{
    const auto native = win32::codePageFromUtf8(command);
    if (!native) {
        if (reply && capacity)
            *reply = '\0';
        return MCIERR_FILE_NOT_FOUND;
    }
    // Replies are numbers and modes, ASCII in every code page: they need no conversion.
    const MCIERROR result = mciSendStringA(native->c_str(), reply, capacity, nullptr);
    // The system's own answers, so that silent music can be told apart: a command never sent,
    // or one the system took and then played nothing for.
    std::string line = "mci \"" + std::string(command) + "\" " + std::to_string(result);
    if (result == 0 && reply && capacity)
        line += std::string(" ") + reply;
    trace(line.c_str());
    return result;
}

bool mciGetErrorString(MCIERROR code, char* text, unsigned capacity)
{
    if (!text || capacity == 0)
        return false;
    // The system's texts come in its code page, Japanese ones under 932.
    char native[256] = {};
    const bool known = mciGetErrorStringA(code, native, sizeof native) != FALSE;
    win32::copyUtf8(known ? win32::utf8FromCodePage(native) : std::string(), text, capacity);
    return known;
}

unsigned waveOutGetNumDevs() { return ::waveOutGetNumDevs(); }

bool playSound(const char* sound, unsigned flags)
{
    if (!sound)
        return PlaySoundA(nullptr, nullptr, flags) != FALSE;
    const auto native = win32::codePageFromUtf8(sound);
    const bool played = native && PlaySoundA(native->c_str(), nullptr, flags) != FALSE;
    trace((std::string("PlaySound \"") + sound + "\" " + (played ? "started" : "refused")).c_str());
    return played;
}

const MediaControl& systemMediaControl()
{
    static constexpr MediaControl calls{&mciSendString, &mciGetErrorString, &waveOutGetNumDevs, &playSound};
    return calls;
}

}  // namespace platform

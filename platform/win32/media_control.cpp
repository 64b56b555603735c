// The saver's music on Windows: the system's own media control interface, waveform player and
// device count answer, each call the one its name says. The platform's header comes before
// <windows.h>, whose macros carry the same names as its PlaySound flags.
#include "platform/mci/mci.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "platform/trace.h"
#include "platform/win32/text_encoding.h"

// The platform's functions carry the names these macros would rename.
#undef mciSendString
#undef mciGetErrorString

namespace platform {

// The saver's commands and file names are UTF-8; the wide calls take a music file wherever it
// lies, whatever the system's code page can spell.
MCIERROR mciSendString(const char* command, char* reply, unsigned capacity)
{
    // Replies are numbers and modes; they come back in UTF-8 all the same.
    std::wstring wideReply(capacity, L'\0');
    const MCIERROR result =
        mciSendStringW(win32::wideFromUtf8(command).c_str(), capacity ? wideReply.data() : nullptr, capacity, nullptr);
    if (reply && capacity)
        win32::copyUtf8(result == 0 ? win32::utf8FromWide(wideReply.c_str()) : std::string(), reply, capacity);
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
    wchar_t wide[256] = {};
    const bool known = mciGetErrorStringW(code, wide, 256) != FALSE;
    win32::copyUtf8(known ? win32::utf8FromWide(wide) : std::string(), text, capacity);
    return known;
}

unsigned waveOutGetNumDevs() { return ::waveOutGetNumDevs(); }

bool playSound(const char* sound, unsigned flags)
{
    if (!sound)
        return PlaySoundW(nullptr, nullptr, flags) != FALSE;
    const bool played = PlaySoundW(win32::wideFromUtf8(sound).c_str(), nullptr, flags) != FALSE;
    trace((std::string("PlaySound \"") + sound + "\" " + (played ? "started" : "refused")).c_str());
    return played;
}

const MediaControl& systemMediaControl()
{
    static constexpr MediaControl calls{&mciSendString, &mciGetErrorString, &waveOutGetNumDevs, &playSound};
    return calls;
}

}  // namespace platform

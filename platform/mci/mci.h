#pragma once
// The Windows multimedia calls the saver's music rests on, with their meaning: the media
// control interface driven by command strings, its error texts, the waveform sound player and
// the count of wave-output devices. Everything plays inside the calling process.
#include <cstdint>

namespace platform {

using MCIERROR = std::uint32_t;

// PlaySound flags with their Windows values.
enum : unsigned {
    SND_SYNC = 0x0000,
    SND_ASYNC = 0x0001,
    SND_NODEFAULT = 0x0002,
    SND_MEMORY = 0x0004,
    SND_LOOP = 0x0008,
    SND_ALIAS = 0x00010000,
    SND_FILENAME = 0x00020000,
};

// mciSendStringA without a notification window: runs the command synchronously and returns 0
// or an MCI error code (MCIERR_BASE + n). With a buffer and a capacity above 0 the reply,
// possibly empty, is written NUL-terminated; a reply that does not fit gives
// MCIERR_PARAM_OVERFLOW. A failed command leaves the empty text there.
MCIERROR mciSendString(const char* command, char* reply, unsigned capacity);

// mciGetErrorStringA: the English description of a code, cut to capacity - 1 bytes and
// NUL-terminated; false (and the empty text) for a code without one.
bool mciGetErrorString(MCIERROR code, char* text, unsigned capacity);

// waveOutGetNumDevs: the number of audio output devices.
unsigned waveOutGetNumDevs();

// PlaySoundA with no module: plays the WAV file named, in the background with SND_ASYNC, over
// and over with SND_LOOP (which needs SND_ASYNC), replacing any sound that plays. A null name
// stops the sound. False when the sound can't be played: there are no sound aliases, no
// sounds in memory, and no default sound to fall back on (SND_NODEFAULT changes nothing).
bool playSound(const char* sound, unsigned flags);

// The four calls as a set, so that the music module can be handed others in tests.
struct MediaControl {
    MCIERROR (*sendString)(const char* command, char* reply, unsigned capacity);
    bool (*getErrorString)(MCIERROR code, char* text, unsigned capacity);
    unsigned (*waveOutDeviceCount)();
    bool (*playSound)(const char* sound, unsigned flags);
};

const MediaControl& systemMediaControl();

}  // namespace platform

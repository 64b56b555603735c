#include "platform/mci/sdl/audio_output.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>

namespace platform::mci {

namespace {

constexpr int sampleRate = 44100;
// About 46 ms a buffer: few wake-ups, and still quick to start and stop.
constexpr int framesPerBuffer = 2048;

}  // namespace

SdlAudioOutput::~SdlAudioOutput()
{
    if (state == State::Open) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
    }
    if (subsystem.value_or(false))
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::startSubsystem()
{
    if (!subsystem) {
        // The saver's own handling of SIGINT and SIGTERM must stay as it is.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        subsystem = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    return *subsystem;
}

bool SdlAudioOutput::open()
{
    if (state != State::NotTried)
        return state == State::Open;
    state = State::Unavailable;
    if (startSubsystem() &&
        Mix_OpenAudioDevice(sampleRate, AUDIO_S16LSB, 2, framesPerBuffer, nullptr, 0) == 0) {
        Mix_SetPostMix(&SdlAudioOutput::postMix, this);
        state = State::Open;
        return true;
    }
    std::fprintf(stderr, "Hoarveil: no audio output, the music stays silent (%s)\n", SDL_GetError());
    return false;
}

unsigned SdlAudioOutput::deviceCount()
{
    if (!startSubsystem())
        return 0;
    const int count = SDL_GetNumAudioDevices(0);
    // -1: SDL can't list the devices, though the default one may well open.
    if (count < 0)
        return open() ? 1 : 0;
    return static_cast<unsigned>(count);
}

void SdlAudioOutput::attach(PcmSource& source)
{
    std::lock_guard lock(mixing);
    sources.push_back(&source);
}

void SdlAudioOutput::detach(PcmSource& source)
{
    std::lock_guard lock(mixing);
    std::erase(sources, &source);
}

bool SdlAudioOutput::playMusic(Mix_Music* music, double fromSeconds, std::optional<double> toSeconds)
{
    if (!open())
        return false;
    {
        std::lock_guard lock(mixing);
        currentMusic = music;
        musicStop = toSeconds;
    }
    if (Mix_FadeInMusicPos(music, 0, 0, fromSeconds) == 0)
        return true;
    std::lock_guard lock(mixing);
    currentMusic = nullptr;
    return false;
}

void SdlAudioOutput::stopMusic(Mix_Music* music)
{
    {
        std::lock_guard lock(mixing);
        if (currentMusic != music)
            return;
        currentMusic = nullptr;
    }
    Mix_HaltMusic();
}

bool SdlAudioOutput::musicPlaying(Mix_Music* music)
{
    {
        std::lock_guard lock(mixing);
        if (currentMusic != music)
            return false;
    }
    return Mix_PlayingMusic() != 0;
}

void SdlAudioOutput::postMix(void* self, Uint8* stream, int length)
{
    SdlAudioOutput& output = *static_cast<SdlAudioOutput*>(self);
    std::lock_guard lock(output.mixing);
    for (PcmSource* source : output.sources)
        source->mixInto(stream, static_cast<std::size_t>(length));
    // A music that has reached its "to" ends here, within one buffer of the position. The
    // audio thread holds SDL's (recursive) device lock already, so halting is safe.
    if (output.currentMusic && output.musicStop && Mix_PlayingMusic() &&
        Mix_GetMusicPosition(output.currentMusic) >= *output.musicStop)
        Mix_HaltMusic();
}

}  // namespace platform::mci

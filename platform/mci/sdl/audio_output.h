#pragma once
// The one audio output of the process, opened through SDL_mixer the first time something
// plays: 44.1 kHz, 16-bit little-endian stereo, the format of CD audio, so that disc sectors
// pass without conversion. Music files play as SDL_mixer's music, the waveform sound on a
// channel of its own, CD audio is mixed in after them.
#include <SDL2/SDL_mixer.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace platform::mci {

// Sound that the output pulls on its own thread and adds into its stream.
class PcmSource {
public:
    virtual void mixInto(std::uint8_t* stream, std::size_t bytes) = 0;

protected:
    ~PcmSource() = default;
};

class SdlAudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput();
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    // Opens the output the first time; false when there is none, which is said once on stderr.
    bool open();
    unsigned deviceCount();

    // Once detach has returned, the output no longer touches the source.
    void attach(PcmSource& source);
    void detach(PcmSource& source);

    // SDL_mixer plays one music at a time: starting one ends the other.
    bool playMusic(Mix_Music* music, double fromSeconds, std::optional<double> toSeconds);
    void stopMusic(Mix_Music* music);
    bool musicPlaying(Mix_Music* music);

private:
    static void postMix(void* self, Uint8* stream, int length);
    bool startSubsystem();

    enum class State { NotTried, Open, Unavailable };
    State state = State::NotTried;
    std::optional<bool> subsystem;  // SDL's audio subsystem, once tried

    // Shared with the audio thread.
    std::mutex mixing;
    std::vector<PcmSource*> sources;
    Mix_Music* currentMusic = nullptr;
    std::optional<double> musicStop;
};

}  // namespace platform::mci

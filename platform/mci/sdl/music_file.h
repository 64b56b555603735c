#pragma once
// A music file decoded by SDL_mixer (MP3, WAV and whatever else it was built with), played as
// its music.
#include <SDL2/SDL_mixer.h>

#include <memory>
#include <string>

#include "platform/mci/media_backend.h"
#include "platform/mci/sdl/audio_output.h"

namespace platform::mci {

class SdlMusicFile final : public MusicFile {
public:
    // The file, or null with MCIERR_FILE_NOT_FOUND, MCIERR_FILE_READ, MCIERR_INVALID_FILE or
    // MCIERR_WAVE_OUTPUTSUNSUITABLE in `error`.
    static std::unique_ptr<SdlMusicFile> open(const std::string& path, SdlAudioOutput& output, MciError& error);
    ~SdlMusicFile() override;

    bool play(std::uint32_t from, std::optional<std::uint32_t> to) override;
    void stop() override;
    bool playing() override;
    std::uint32_t position() override;
    std::uint32_t length() override { return milliseconds; }

private:
    SdlMusicFile(Mix_Music* music, SdlAudioOutput& output);

    Mix_Music* music;
    SdlAudioOutput& output;
    std::uint32_t milliseconds;
};

}  // namespace platform::mci

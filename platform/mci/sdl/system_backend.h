#pragma once
// The machine's own media: SDL output, SDL_mixer decoding, libcdio discs.
#include <SDL2/SDL_mixer.h>

#include <memory>

#include "platform/mci/media_backend.h"
#include "platform/mci/sdl/audio_output.h"

namespace platform::mci {

class SystemMediaBackend final : public MediaBackend {
public:
    SystemMediaBackend() = default;
    ~SystemMediaBackend() override;

    std::unique_ptr<CdDrive> openCdDrive() override;
    std::unique_ptr<MusicFile> openMusicFile(const std::string& path, MciError& error) override;
    bool playSound(const std::string& path, bool async, bool loop) override;
    void stopSound() override;
    unsigned outputDeviceCount() override;

private:
    SdlAudioOutput output;
    std::unique_ptr<Mix_Chunk, void (*)(Mix_Chunk*)> sound{nullptr, &Mix_FreeChunk};
};

}  // namespace platform::mci

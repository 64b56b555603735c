#include "platform/mci/sdl/system_backend.h"

#include <SDL2/SDL.h>

#include <climits>
#include <string>

#include "platform/file_reader.h"
#include "platform/mci/cdio/cdio_disc.h"
#include "platform/mci/sdl/cd_drive.h"
#include "platform/mci/sdl/music_file.h"

namespace platform::mci {

namespace {

// The waveform sound has a mixer channel of its own; music files play as SDL_mixer's music.
constexpr int soundChannel = 0;

}  // namespace

SystemMediaBackend::~SystemMediaBackend() { stopSound(); }

std::unique_ptr<CdDrive> SystemMediaBackend::openCdDrive()
{
    const auto path = cdDrivePath();
    if (!path)
        return nullptr;
    return std::make_unique<SystemCdDrive>(*path, output);
}

std::unique_ptr<MusicFile> SystemMediaBackend::openMusicFile(const std::string& path, MciError& error)
{
    return SdlMusicFile::open(path, output, error);
}

bool SystemMediaBackend::playSound(const std::string& path, bool async, bool loop)
{
    stopSound();
    if (!output.open())
        return false;
    // Read by us, not by SDL: opening a named pipe in the file's place would wait for ever.
    FileBytes file;
    if (FileReader(path).readAll(file) != FileRead::Read || file.bytes().size() > std::size_t(INT_MAX))
        return false;
    sound.reset(Mix_LoadWAV_RW(SDL_RWFromConstMem(file.bytes().data(), int(file.bytes().size())), 1));
    if (!sound || Mix_PlayChannel(soundChannel, sound.get(), loop ? -1 : 0) < 0) {
        sound.reset();
        return false;
    }
    if (!async) {
        while (Mix_Playing(soundChannel))
            SDL_Delay(10);
        stopSound();
    }
    return true;
}

void SystemMediaBackend::stopSound()
{
    if (!sound)
        return;
    Mix_HaltChannel(soundChannel);
    sound.reset();
}

unsigned SystemMediaBackend::outputDeviceCount() { return output.deviceCount(); }

}  // namespace platform::mci

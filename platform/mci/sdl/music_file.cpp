#include "platform/mci/sdl/music_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace platform::mci {

namespace {

// Why a file can't be played before any decoder looks at it.
MciError unreadable(const std::string& path)
{
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0)
        return MCIERR_FILE_NOT_FOUND;
    if (!S_ISREG(status.st_mode))
        return MCIERR_FILE_READ;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return MCIERR_FILE_READ;
    ::close(descriptor);
    return MCIERR_NO_ERROR;
}

std::uint32_t toMilliseconds(double seconds)
{
    return seconds > 0 ? static_cast<std::uint32_t>(seconds * 1000.0 + 0.5) : 0;
}

}  // namespace

std::unique_ptr<SdlMusicFile> SdlMusicFile::open(const std::string& path, SdlAudioOutput& output, MciError& error)
{
    error = unreadable(path);
    if (error != MCIERR_NO_ERROR)
        return nullptr;
    // SDL_mixer decodes for the output's format, so it needs the output open.
    if (!output.open()) {
        error = MCIERR_WAVE_OUTPUTSUNSUITABLE;
        return nullptr;
    }
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) {
        error = MCIERR_INVALID_FILE;
        return nullptr;
    }
    return std::unique_ptr<SdlMusicFile>(new SdlMusicFile(music, output));
}

SdlMusicFile::SdlMusicFile(Mix_Music* music, SdlAudioOutput& output)
    : music(music), output(output), milliseconds(toMilliseconds(Mix_MusicDuration(music)))
{
}

SdlMusicFile::~SdlMusicFile()
{
    stop();
    Mix_FreeMusic(music);
}

bool SdlMusicFile::play(std::uint32_t from, std::optional<std::uint32_t> to)
{
    std::optional<double> stopAt;
    if (to)
        stopAt = *to / 1000.0;
    return output.playMusic(music, from / 1000.0, stopAt);
}

void SdlMusicFile::stop() { output.stopMusic(music); }

bool SdlMusicFile::playing() { return output.musicPlaying(music); }

std::uint32_t SdlMusicFile::position()
{
    const std::uint32_t decoded = toMilliseconds(Mix_GetMusicPosition(music));
    return milliseconds > 0 ? std::min(decoded, milliseconds) : decoded;
}

}  // namespace platform::mci

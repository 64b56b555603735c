// The MP3 player: the file opened as "MP3Play", started again from 0 whenever it stops.
#include "saver/music/hoarveil_bgm.h"
#include "saver/startup/shared_settings.h"

namespace {

platform::MCIERROR send(const std::string& command) { return BgmState.mci->sendString(command.c_str(), nullptr, 0); }

}  // namespace

void Mp3Start()
{
    // The quotes keep a path with blanks one argument.
    if (send("open \"" + Hoarveil_BGM.BgmFile + "\" type MPEGVideo Alias MP3Play") == 0)
        send("play MP3Play");
}

bool Mp3IsPlaying()
{
    auto& buffer = BgmState.mp3ModeBuffer;
    BgmState.mci->sendString("status MP3Play mode", buffer.data(), buffer.size());
    return std::string(buffer.data(), 7) == "playing";
}

void Mp3Watch()
{
    if (Mp3IsPlaying())
        return;
    send("stop MP3Play");
    send("play MP3Play from 0");
}

void Mp3Close()
{
    send("stop MP3Play");
    send("close MP3Play");
}

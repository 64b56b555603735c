// The audio-CD player: the whole disc over and over, or one track (BgmRepeat) in a loop.
#include <optional>

#include "saver/forms/conversions.h"
#include "saver/music/hoarveil_bgm.h"
#include "saver/startup/shared_settings.h"

namespace {

void send(const char* command) { BgmState.mci->sendString(command, nullptr, 0); }

// The "ERR" test of a status reply, in any case.
bool failed(const std::string& reply) { return forms::upperCase(reply).find("ERR") != std::string::npos; }

}  // namespace

void CdOpen()
{
    send("open cdaudio");
    send("set cdaudio time format tmsf");
}

void CdWatch()
{
    auto& state = BgmState;
    state.CdAvailable = true;
    const std::string currentTrack = MciStatus("status cdaudio current track");
    if (failed(currentTrack)) {
        state.CdAvailable = false;
        return;
    }
    if (failed(MciStatus("status cdaudio number of tracks"))) {
        state.CdAvailable = false;
        return;
    }
    state.mci->sendString("status cdaudio mode", state.cdModeBuffer.data(), 255);
    const bool stopped = std::string(state.cdModeBuffer.data(), 7) == "stopped";

    const std::int16_t repeat = Hoarveil_BGM.BgmRepeat;
    if (repeat == 0) {
        if (stopped)
            MciPlay("cdaudio", "", "");
        return;
    }
    // The track reply is read as a number even when the device has stopped: a reply that is no
    // number means the CD can't be used.
    const std::optional<double> playingTrack = forms::parseNumber(currentTrack);
    if (!playingTrack) {
        state.CdAvailable = false;
        return;
    }
    if (stopped || *playingTrack != repeat)
        MciPlay("cdaudio", MciStatus("status cdaudio position track " + std::to_string(repeat)), "");
}

void CdClose()
{
    send("stop cdaudio");
    send("close cdaudio");
}

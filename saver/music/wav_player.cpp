// The WAV player: the system's waveform sound player, looping by itself.
#include "saver/music/hoarveil_bgm.h"
#include "saver/startup/shared_settings.h"

void WavStart()
{
    if (static_cast<int>(BgmState.mci->waveOutDeviceCount()) <= 0)
        return;
    // Looked up as a sound alias first, then played as a file, as without SND_FILENAME.
    BgmState.mci->playSound(Hoarveil_BGM.BgmFile.c_str(), platform::SND_ASYNC | platform::SND_LOOP);
}

void WavStop() { BgmState.mci->playSound(nullptr, 0); }

#pragma once
// The saver's shared values, one record per module that owns them. Both live for the whole
// process and start zero or empty.
#include <cstdint>
#include <optional>
#include <string>

// Public values of the music module: what the settings say about background music.
struct HoarveilBgmSettings {
    std::int16_t BgmKind = 0;    // 0 no music, 1 audio CD, 2 music file
    std::int16_t BgmRepeat = 0;  // CD track to loop, 0 the whole disc
    std::string BgmFile;         // music file path, empty when there is none
    std::string BgmFolder;       // where the file chooser starts
};
extern HoarveilBgmSettings Hoarveil_BGM;

// Values of the start-up module.
struct HoarveilStartup {
    std::string AppFolder;  // the folder the saver was started from
    std::int16_t ZoomPointX = 0;
    std::int16_t ZoomPointY = 0;
    // The cursor display count the show's hiding call returned; empty outside show mode.
    std::optional<int> CursorState;
};
extern HoarveilStartup Hoarveil_B;

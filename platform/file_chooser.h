#pragma once
// GetOpenFileNameA: the system's chooser for a file to open, modal to its owner.
#include <cstddef>
#include <string>

#include "platform/native_window.h"

namespace platform {

// The request and, after a choice, its answer, with the fields of OPENFILENAMEA that the saver
// fills in. No flags: the chosen name need not exist.
struct OpenFileName {
    NativeWindow owner = 0;
    // Pairs of a description and its patterns, each text ended by a NUL:
    // "Music\0*.MP3;*.WAV\0". Patterns match without regard to case, as on Windows.
    std::string filter;
    std::string initialDir;
    std::string title;
    // The buffers' capacities, with room for the ending NUL.
    std::size_t maxFile = 260;
    std::size_t maxFileTitle = 260;
    // The chosen path and its name without the folder.
    std::string file;
    std::string fileTitle;
};

// What getOpenFileName answers for a path that the system's code page can't spell (Windows
// only): no file is given, since the settings file and the music could not name it.
inline constexpr int unspellableFileName = -1;

// 1 when the user chose a file; 0 when the chooser was cancelled, could not be shown, or the
// chosen path does not fit the request's buffer (nothing is cut short); or unspellableFileName.
int getOpenFileName(OpenFileName& request);

}  // namespace platform

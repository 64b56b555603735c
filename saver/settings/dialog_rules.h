#pragma once
// What the settings dialog decides, apart from its window: which controls a music source
// enables, how the typed track becomes a setting, where the dialog stands, the colours of its
// shaded backdrop and where the strips of its panel go.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "saver/forms/rgb_surface.h"

namespace settings_dialog {

// The music sources, which are also the indexes of the option images and labels.
enum : int { sourceNone = 0, sourceAudioCd = 1, sourceMusicFile = 2, sourceCount = 3 };

// For a music source: the combo box only with the audio CD, the file button only with the
// music file, and the option showing the on bullet (-1 for a source no option stands for, as a
// hand-edited settings file may give).
struct SourceControls {
    bool repeatEnabled = false;
    bool fileEnabled = false;
    int chosenOption = -1;
};
SourceControls controlsFor(int source);

// The track the combo text asks for: a number rounded to the nearest integer (halves to the
// even neighbour), 0 for any other text. A number no 16-bit setting can hold is no track
// either: it also gives 0, so the file never holds a value the next start reads otherwise.
std::int16_t repeatFromText(const std::string& text);

// The combo box's list: the empty entry for the whole disc, then the tracks 1 to 30.
std::vector<std::string> repeatList();

// The dialog's offset on the screen in twips: the free space divided, the remainder dropped.
// A screen smaller than the dialog keeps its top-left corner (and caption) on the screen.
int dialogOffset(double screenTwips, double formTwips, int divisor);

// The backdrop's row y of a client area `height` pixels high: one half sine wave from dark blue
// at the top and bottom to lavender in the middle.
forms::Colour shadingColour(int y, int height);

// Where the strip is copied, in order: columns from left to right, each from top to bottom,
// until a column would start beyond the right edge.
std::vector<std::pair<int, int>> tileOrigins(int stripWidth, int stripHeight, int targetWidth, int targetHeight);

}  // namespace settings_dialog

#pragma once
// GDI fonts for the forms runtime's font descriptions: the face by its name, the size in points
// at the screen's resolution. A Japanese font whose face the system lacks becomes one that has
// the Japanese glyphs, so no caption shows as boxes.
#include "saver/forms/win32/handles.h"

#include "saver/forms/property_bag.h"

namespace forms::win32 {

// The font, made once and kept while the program runs.
HFONT fontFor(const FontSpec& font);

}  // namespace forms::win32

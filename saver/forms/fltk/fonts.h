#pragma once
// The toolkit's fonts for the forms runtime's font descriptions. "ＭＳ Ｐゴシック" becomes IPA P
// Gothic and "Tahoma" DejaVu Sans. The toolkit draws no glyph from a fallback font, so every
// Japanese face, and any face asked for with the Japanese character set, becomes IPA P Gothic.
#include <FL/Enumerations.H>

#include "saver/forms/property_bag.h"

namespace forms::fltk {

// The name the toolkit knows the font by: a style letter (blank, B, I or P for bold italic)
// followed by the family.
std::string toolkitFontName(const FontSpec& font);

Fl_Font toolkitFont(const FontSpec& font);
// The size in pixels at the screen's resolution.
int toolkitFontSize(const FontSpec& font);

}  // namespace forms::fltk

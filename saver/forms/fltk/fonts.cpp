#include "saver/forms/fltk/fonts.h"

#include <FL/Fl.H>

#include <algorithm>
#include <cmath>
#include <map>

#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace forms::fltk {
namespace {

constexpr int shiftJisCharset = 128;

bool isJapanese(const FontSpec& font)
{
    const bool nonAscii = std::any_of(font.face.begin(), font.face.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return nonAscii || font.charset == shiftJisCharset || font.face.find("Gothic") != std::string::npos ||
           font.face.find("Mincho") != std::string::npos;
}

// Fonts registered with the toolkit so far, by name.
struct RegisteredFonts {
    std::map<std::string, Fl_Font> byName;
    Fl_Font next = FL_FREE_FONT;
};

}  // namespace

std::string toolkitFontName(const FontSpec& font)
{
    const char style = font.bold && font.italic ? 'P' : font.bold ? 'B' : font.italic ? 'I' : ' ';
    return style + std::string(isJapanese(font) ? "IPAPGothic" : "DejaVu Sans");
}

Fl_Font toolkitFont(const FontSpec& font)
{
    static RegisteredFonts registered;
    const std::string name = toolkitFontName(font);
    const auto found = registered.byName.find(name);
    if (found != registered.byName.end())
        return found->second;
    const Fl_Font index = registered.next++;
    // The toolkit keeps the pointer: the map's key lives as long as the program.
    Fl::set_font(index, registered.byName.emplace(name, index).first->first.c_str());
    return index;
}

int toolkitFontSize(const FontSpec& font)
{
    return pointsToPixels(font.points, Screen::dotsPerInch());
}

}  // namespace forms::fltk

#include "saver/forms/win32/fonts.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "platform/win32/text_encoding.h"
#include "saver/forms/screen.h"
#include "saver/forms/twips.h"

namespace forms::win32 {
namespace {

bool wantsJapanese(const FontSpec& font)
{
    const bool nonAscii = std::any_of(font.face.begin(), font.face.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return nonAscii || font.charset == SHIFTJIS_CHARSET;
}

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

bool faceInstalled(const std::wstring& face, BYTE charset)
{
    if (face.empty() || face.size() >= LF_FACESIZE)
        return false;
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    face.copy(wanted.lfFaceName, face.size());
    bool found = false;
    WindowDc screen;
    EnumFontFamiliesExW(screen.context(), &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The faces that draw Japanese on Windows, and on Wine from fontconfig, best first.
std::wstring japaneseFace()
{
    static const std::wstring chosen = [] {
        for (const wchar_t* face : {L"MS PGothic", L"ＭＳ Ｐゴシック", L"MS UI Gothic", L"Meiryo", L"Yu Gothic",
                                    L"IPAPGothic", L"IPAGothic", L"VL PGothic", L"Noto Sans CJK JP"})
            if (faceInstalled(face, SHIFTJIS_CHARSET))
                return std::wstring(face);
        return std::wstring();  // GDI's own choice for the character set
    }();
    return chosen;
}

// The face asked of GDI for the description.
std::wstring faceFor(const FontSpec& font)
{
    const std::wstring named = platform::win32::wideFromUtf8(font.face);
    if (!wantsJapanese(font) || faceInstalled(named, SHIFTJIS_CHARSET))
        return named;
    return japaneseFace();
}

}  // namespace

HFONT fontFor(const FontSpec& font)
{
    // The resolution is part of the key: after a move to a screen of another scaling the same
    // description needs another font.
    using Key = std::tuple<std::string, double, bool, bool, bool, bool, int, double>;
    static std::map<Key, OwnedFont> made;
    const double dpi = Screen::dotsPerInch();
    const Key key{font.face, font.points, font.bold, font.italic, font.underline, font.strikethrough, font.charset, dpi};
    auto found = made.find(key);
    if (found != made.end())
        return found->second.get();
    const int height = -pointsToPixels(font.points, dpi);
    const BYTE charset = wantsJapanese(font) ? SHIFTJIS_CHARSET : static_cast<BYTE>(font.charset);
    OwnedFont created(CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, font.underline,
                                  font.strikethrough, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceFor(font).c_str()));
    return made.emplace(key, std::move(created)).first->second.get();
}

}  // namespace forms::win32

// A label on Win32: drawn into its container's window with DrawTextW, wrapped at its width.
#include "saver/forms/label.h"
#include "saver/forms/win32/drawing.h"
#include "saver/forms/win32/element.h"
#include "saver/forms/win32/fonts.h"
#include "platform/win32/text_encoding.h"

namespace forms::win32 {
namespace {

UINT alignmentFlags(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Left: return DT_LEFT;
    case Alignment::Right: return DT_RIGHT;
    case Alignment::Centre: return DT_CENTER;
    }
    return DT_LEFT;
}

class LabelPeer : public PeerOf<backend::ControlPeer> {
public:
    explicit LabelPeer(Label& label) : PeerOf(label), label(label) {}

    void paint(HDC dc) override
    {
        if (rect.width <= 0 || rect.height <= 0)
            return;
        if (!label.transparent())
            fillArea(dc, rect, label.backColor());
        const std::wstring text = platform::win32::wideFromUtf8(label.caption());
        if (text.empty())
            return;
        Selection font(dc, fontFor(label.font()));
        SetBkMode(dc, TRANSPARENT);
        // "&" is an ampersand like any other letter; words wrap at the width, from the top. A
        // label one line high keeps its caption on that line: a second line would never show,
        // and text whose hinted width outgrows the design by a pixel or two at another dpi
        // ("なし" at 200 %) would lose a whole character to it instead of clipping nothing.
        TEXTMETRICW metrics{};
        const bool oneLine = GetTextMetricsW(dc, &metrics) && rect.height < 2 * metrics.tmHeight;
        const UINT format =
            DT_NOPREFIX | DT_TOP | (oneLine ? DT_SINGLELINE : DT_WORDBREAK) | alignmentFlags(label.alignment());
        RECT area{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
        if (!enabledInHost()) {
            // Disabled text as the system draws it: grey, embossed on a light shadow.
            RECT shadow{area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
            SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        } else {
            SetTextColor(dc, colorRef(label.foreColor()));
        }
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    }

private:
    Label& label;
};

}  // namespace
}  // namespace forms::win32

namespace forms::backend {

std::unique_ptr<ControlPeer> makeLabel(Label& owner)
{
    return std::make_unique<win32::LabelPeer>(owner);
}

}  // namespace forms::backend

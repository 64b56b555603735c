// A combo box on Win32: the system's own "COMBOBOX" (CBS_DROPDOWN: a typed text and a list),
// a child of its container's window. Entries and text are kept while that window is away.
#include "saver/forms/combo_box.h"
#include "saver/forms/win32/drawing.h"
#include "saver/forms/win32/element.h"
#include "saver/forms/win32/fonts.h"
#include "platform/win32/text_encoding.h"
#include "saver/forms/screen.h"

#include <commctrl.h>  // CB_SETMINVISIBLE: a message constant only, nothing to link

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace forms::win32 {
namespace {

using platform::win32::utf8FromWide;
using platform::win32::wideFromUtf8;

// The open list below the edit field: 160 pixels at 96 dpi, as tall in inches at any other.
int listHeight()
{
    return static_cast<int>(std::lround(160 * Screen::dotsPerInch() / 96.0));
}

class ComboBoxPeer : public PeerOf<backend::ComboBoxPeer> {
public:
    explicit ComboBoxPeer(ComboBox& box) : PeerOf(box) { setBackColor({255, 255, 255}); }
    ~ComboBoxPeer() override { unrealize(); }

    HWND window() const override { return box.get(); }

    void realize(HWND host) override
    {
        if (box)
            return;
        const DWORD style = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                            (shownInHost() ? WS_VISIBLE : 0) | (enabledInHost() ? 0 : WS_DISABLED);
        box.reset(CreateWindowExW(0, L"COMBOBOX", L"", style, rect.x, rect.y, rect.width, rect.height + listHeight(),
                                  host, nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!box)
            return;
        SetWindowPos(box.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (font)
            SendMessageW(box.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(*font)), FALSE);
        fitHeight();
        keepListHeight();
        for (const std::string& entry : entries)
            appendToList(entry);
        SetWindowTextW(box.get(), wideFromUtf8(shownText).c_str());
    }
    void unrealize() override
    {
        if (!box)
            return;
        shownText = text();
        box.reset();
    }

    void addItem(const std::string& entry) override
    {
        entries.push_back(entry);
        if (box)
            appendToList(entry);
    }
    int listCount() const override { return static_cast<int>(entries.size()); }
    std::string list(int index) const override { return entries[static_cast<std::size_t>(index)]; }

    std::string text() const override
    {
        if (!box)
            return shownText;
        std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(box.get())) + 1, L'\0');
        typed.resize(static_cast<std::size_t>(GetWindowTextW(box.get(), typed.data(), static_cast<int>(typed.size()))));
        return utf8FromWide(typed);
    }
    void setText(const std::string& text) override
    {
        shownText = text;
        if (box)
            SetWindowTextW(box.get(), wideFromUtf8(text).c_str());
    }
    void setFont(const FontSpec& chosen) override
    {
        font = chosen;
        if (box) {
            SendMessageW(box.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(chosen)), TRUE);
            fitHeight();
            keepListHeight();
        }
    }
    void setBackColor(Colour colour) override
    {
        back = colour;
        brush.reset(CreateSolidBrush(colorRef(colour)));
        if (box)
            InvalidateRect(box.get(), nullptr, TRUE);
    }

    // The edit field and the list ask their colours of the combo box's parent.
    HBRUSH controlColour(HWND child, HDC dc) override
    {
        if (!box || !enabledInHost() || !partOfBox(child))
            return nullptr;
        SetBkColor(dc, colorRef(back));
        return brush.get();
    }

    bool focusEntered(HWND child) override
    {
        if (!box || child != box.get())
            return false;
        owner().focusChanged(true);
        return true;
    }

protected:
    void placed() override
    {
        if (!box)
            return;
        SetWindowPos(box.get(), nullptr, rect.x, rect.y, rect.width, rect.height + listHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        fitHeight();
    }
    void stateChanged() override
    {
        if (!box)
            return;
        ShowWindow(box.get(), shownInHost() ? SW_SHOWNA : SW_HIDE);
        EnableWindow(box.get(), enabledInHost());
    }

private:
    // The closed box's height comes from its font, not from its window: its edit field is made
    // as much taller or lower as the box must be to stand as tall as the control.
    void fitHeight()
    {
        RECT closed{};
        if (rect.height <= 0 || !GetWindowRect(box.get(), &closed))
            return;
        const LRESULT field = SendMessageW(box.get(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        const LRESULT wanted = field + rect.height - (closed.bottom - closed.top);
        if (field != CB_ERR && wanted > 0 && wanted != field)
            SendMessageW(box.get(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
    }

    // Common Controls 6 (the saver's manifest asks for them) sizes the open list by a number of
    // entries, 30 unless told, not by the height the box was made with: as many as fit that
    // height. The older controls ignore the message.
    void keepListHeight()
    {
        const auto entryHeight = static_cast<int>(SendMessageW(box.get(), CB_GETITEMHEIGHT, 0, 0));
        if (entryHeight > 0)
            SendMessageW(box.get(), CB_SETMINVISIBLE, std::max(1, listHeight() / entryHeight), 0);
    }

    void appendToList(const std::string& entry)
    {
        SendMessageW(box.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(entry).c_str()));
    }

    bool partOfBox(HWND child) const
    {
        if (child == box.get() || GetParent(child) == box.get())
            return true;
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof parts;
        return GetComboBoxInfo(box.get(), &parts) && child == parts.hwndList;
    }

    OwnedWindow box;
    std::vector<std::string> entries;
    std::string shownText;
    std::optional<FontSpec> font;
    Colour back;
    OwnedBrush brush;
};

}  // namespace
}  // namespace forms::win32

namespace forms::backend {

std::unique_ptr<ComboBoxPeer> makeComboBox(ComboBox& owner)
{
    return std::make_unique<win32::ComboBoxPeer>(owner);
}

}  // namespace forms::backend

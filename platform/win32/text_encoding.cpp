#include "platform/win32/text_encoding.h"

#include <windows.h>

#include <algorithm>

namespace platform::win32 {
namespace {

std::wstring wideFrom(std::string_view text, unsigned codePage)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view text) { return wideFrom(text, CP_UTF8); }

std::string utf8FromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::optional<std::string> codePageFromUtf8(std::string_view text, unsigned codePage)
{
    const std::wstring wide = wideFromUtf8(text);
    if (wide.empty())
        return text.empty() ? std::optional<std::string>(std::string()) : std::nullopt;
    const int size = static_cast<int>(wide.size());
    // No best fit: "é" must not quietly become "e" in a file name under a code page without it.
    BOOL substituted = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr,
                                           &substituted);
    if (length == 0 || substituted)
        return std::nullopt;
    std::string converted(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, converted.data(), length, nullptr,
                        &substituted);
    // A code page can also map a character to another one on the way back.
    if (substituted || wideFrom(converted, codePage) != wide)
        return std::nullopt;
    return converted;
}

std::string utf8FromCodePage(std::string_view text, unsigned codePage)
{
    return utf8FromWide(wideFrom(text, codePage));
}

std::string utf8FromCodePagePrefix(std::string_view text, std::size_t limit, unsigned codePage)
{
    // A lead byte without its trail byte would come out as another letter, or none.
    const std::size_t end = std::min(text.size(), limit);
    std::size_t whole = 0;
    while (whole < end) {
        const std::size_t width = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[whole])) ? 2 : 1;
        if (whole + width > end)
            break;
        whole += width;
    }
    return utf8FromCodePage(text.substr(0, whole), codePage);
}

std::size_t copyUtf8(std::string_view text, char* buffer, std::size_t capacity)
{
    if (!buffer || capacity == 0)
        return 0;
    std::size_t length = std::min(text.size(), capacity - 1);
    while (length < text.size() && length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::copy_n(text.data(), length, buffer);
    buffer[length] = '\0';
    return length;
}

}  // namespace platform::win32

// The saver's UTF-8 texts meet Windows' code pages: the settings file's Japanese keys must come
// out as the Shift-JIS bytes Japanese Windows writes, and a text a code page can't hold must be
// refused rather than passed on with stand-in characters.
#include <gtest/gtest.h>

#include "platform/win32/text_encoding.h"

namespace {

using platform::win32::codePageFromUtf8;
using platform::win32::shiftJis;
using platform::win32::utf8FromCodePage;
using platform::win32::utf8FromWide;
using platform::win32::wideFromUtf8;

TEST(TextEncoding, SettingsKeysBecomeShiftJisAndComeBack)
{
    EXPECT_EQ(codePageFromUtf8("BGM区分", shiftJis), std::optional<std::string>("BGM\x8b\xe6\x95\xaa"));
    EXPECT_EQ(codePageFromUtf8("BGMﾘﾋﾟｰﾄ", shiftJis), std::optional<std::string>("BGM\xd8\xcb\xdf\xb0\xc4"));
    EXPECT_EQ(codePageFromUtf8("BGMﾌｧｲﾙ", shiftJis), std::optional<std::string>("BGM\xcc\xa7\xb2\xd9"));
    for (const char* text : {"BGM区分", "設定", "ｷｬﾝｾﾙ", "C:\\音楽\\雪.mp3"})
        EXPECT_EQ(utf8FromCodePage(*codePageFromUtf8(text, shiftJis), shiftJis), text);
}

TEST(TextEncoding, WhatACodePageCannotHoldIsRefused)
{
    constexpr unsigned westernEuropean = 1252;
    EXPECT_FALSE(codePageFromUtf8("C:\\音楽\\雪.mp3", westernEuropean));
    // No best fit either: the letter would name another file.
    EXPECT_FALSE(codePageFromUtf8("C:\\Music\\Ω.mp3", westernEuropean));
    EXPECT_FALSE(codePageFromUtf8("C:\\Musik\\Café.mp3", shiftJis));
    EXPECT_EQ(codePageFromUtf8("C:\\Musik\\Café.mp3", westernEuropean), std::optional<std::string>("C:\\Musik\\Caf\xe9.mp3"));
    EXPECT_EQ(codePageFromUtf8("", westernEuropean), std::optional<std::string>(""));
    // Bytes that are no UTF-8 at all are no text to convert.
    EXPECT_FALSE(codePageFromUtf8("\xff\xfe", westernEuropean));
}

TEST(TextEncoding, WideTextsRoundTrip)
{
    EXPECT_EQ(wideFromUtf8("設定"), std::wstring(L"\u8a2d\u5b9a"));
    EXPECT_EQ(utf8FromWide(L"\uff77\uff6c\uff9d\uff7e\uff99"), "ｷｬﾝｾﾙ");
    EXPECT_EQ(wideFromUtf8(""), std::wstring());
}

}  // namespace

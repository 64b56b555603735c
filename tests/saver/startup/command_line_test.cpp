// What start-up reads from the command text: the mode letter and the preview's parent window.
#include <gtest/gtest.h>

#include "saver/startup/command_line.h"

TEST(ModeLetter, IsTheSecondCharacterUpperCased)
{
    EXPECT_EQ(modeLetter("/s"), "S");
    EXPECT_EQ(modeLetter("-S"), "S");
    EXPECT_EQ(modeLetter("/S"), "S");
    EXPECT_EQ(modeLetter("/c:5678"), "C");
    EXPECT_EQ(modeLetter("/c"), "C");
    EXPECT_EQ(modeLetter("/p 1234"), "P");
    EXPECT_EQ(modeLetter("/a"), "A");
    EXPECT_EQ(modeLetter("S"), "");  // one character: no mode letter
    EXPECT_EQ(modeLetter(""), "");
}

TEST(PreviewParentHandle, IsTheLeadingNumberFromTheFourthCharacter)
{
    EXPECT_EQ(previewParentHandle("/p 1234"), 1234);
    EXPECT_EQ(previewParentHandle("/p:1234"), 1234);
    EXPECT_EQ(previewParentHandle("/p  12 34"), 1234);  // blanks are ignored
    EXPECT_EQ(previewParentHandle("/p 1234 /x"), 1234);
    EXPECT_EQ(previewParentHandle("/p 12.6"), 13);
    EXPECT_EQ(previewParentHandle("/p"), 0);  // no number
    EXPECT_EQ(previewParentHandle("/p abc"), 0);
    EXPECT_EQ(previewParentHandle("/p 0x1a00003"), 0x1a00003);  // as xwininfo prints an X window
    EXPECT_EQ(previewParentHandle("/p 0X1A00003"), 0x1a00003);
    EXPECT_EQ(previewParentHandle("/p 2147483647"), 2147483647);
    EXPECT_EQ(previewParentHandle("/p 99999999999"), std::nullopt);  // beyond 32 bits
    EXPECT_EQ(previewParentHandle("/p 0xFFFFFFFFF"), std::nullopt);
}

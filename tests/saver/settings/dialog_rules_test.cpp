// The settings dialog's decisions without a window: the typed track, the track list, which
// controls a music source enables, where the dialog stands, its shading and its tiles, and
// the chooser's filter on a case-sensitive file system.
#include <FL/filename.H>
#include <gtest/gtest.h>

#include <set>

#include "platform/x11/fltk/file_filter.h"
#include "saver/settings/dialog_rules.h"

using namespace settings_dialog;

TEST(SettingsDialogRules, TypedTrackBecomesTheNearestWholeNumber)
{
    EXPECT_EQ(repeatFromText("7"), 7);
    EXPECT_EQ(repeatFromText("2.5"), 2);  // halves go to the even neighbour
    EXPECT_EQ(repeatFromText("3.5"), 4);
    EXPECT_EQ(repeatFromText("-3"), -3);
    EXPECT_EQ(repeatFromText(" 12 "), 12);
    EXPECT_EQ(repeatFromText(""), 0);
    EXPECT_EQ(repeatFromText("abc"), 0);
    EXPECT_EQ(repeatFromText("7a"), 0);  // a number only as a whole
}

TEST(SettingsDialogRules, TrackNoSettingCanHoldIsTheWholeDisc)
{
    EXPECT_EQ(repeatFromText("32767"), 32767);
    EXPECT_EQ(repeatFromText("-32768"), -32768);
    EXPECT_EQ(repeatFromText("32768"), 0);
    EXPECT_EQ(repeatFromText("32767.5"), 0);  // rounds to 32768
    EXPECT_EQ(repeatFromText("-40000"), 0);
    EXPECT_EQ(repeatFromText("1e300"), 0);
}

TEST(SettingsDialogRules, TrackListIsTheEmptyEntryThenOneToThirty)
{
    const auto list = repeatList();
    ASSERT_EQ(list.size(), 31u);
    EXPECT_EQ(list[0], "");
    EXPECT_EQ(list[1], "1");
    EXPECT_EQ(list[9], "9");
    EXPECT_EQ(list[10], "10");
    EXPECT_EQ(list[30], "30");
}

TEST(SettingsDialogRules, ComboOnlyWithTheCdAndFileButtonOnlyWithTheMusicFile)
{
    const SourceControls none = controlsFor(sourceNone), cd = controlsFor(sourceAudioCd),
                         file = controlsFor(sourceMusicFile);
    EXPECT_FALSE(none.repeatEnabled);
    EXPECT_FALSE(none.fileEnabled);
    EXPECT_EQ(none.chosenOption, 0);
    EXPECT_TRUE(cd.repeatEnabled);
    EXPECT_FALSE(cd.fileEnabled);
    EXPECT_EQ(cd.chosenOption, 1);
    EXPECT_FALSE(file.repeatEnabled);
    EXPECT_TRUE(file.fileEnabled);
    EXPECT_EQ(file.chosenOption, 2);
    // A hand-edited source: no option is on, nothing is enabled.
    for (int source : {-1, 3, 5, 32767}) {
        const SourceControls odd = controlsFor(source);
        EXPECT_FALSE(odd.repeatEnabled) << source;
        EXPECT_FALSE(odd.fileEnabled) << source;
        EXPECT_EQ(odd.chosenOption, -1) << source;
    }
}

TEST(SettingsDialogRules, DialogStandsCentredAThirdOfTheFreeHeightDown)
{
    // 1024 x 768 pixels at 15 twips a pixel, the dialog 7425 x 3690 twips.
    EXPECT_EQ(dialogOffset(15360, 7425, 2), 3967);  // 7935 / 2, the remainder dropped
    EXPECT_EQ(dialogOffset(11520, 3690, 3), 2610);
    EXPECT_EQ(dialogOffset(7426, 7425, 2), 0);
    // A screen smaller than the dialog keeps the caption on the screen.
    EXPECT_EQ(dialogOffset(6000, 7425, 2), 0);
    EXPECT_EQ(dialogOffset(3000, 3690, 3), 0);
}

TEST(SettingsDialogRules, ShadingRunsDarkBlueToLavenderAndBack)
{
    const int height = 246;
    EXPECT_EQ(shadingColour(0, height), (forms::Colour{0, 0, 30}));
    const forms::Colour middle = shadingColour(height / 2, height);
    EXPECT_EQ(middle, (forms::Colour{220, 220, 250}));
    const forms::Colour bottom = shadingColour(height, height);
    EXPECT_LE(bottom.r, 1);
    EXPECT_EQ(bottom.b, bottom.r + 30);
    // Nearly symmetric about the middle (3.142 is not quite pi), brighter towards it.
    EXPECT_NEAR(shadingColour(40, height).r, shadingColour(height - 40, height).r, 1);
    EXPECT_LT(shadingColour(40, height).r, shadingColour(80, height).r);
    EXPECT_EQ(shadingColour(0, 0), (forms::Colour{0, 0, 30}));
}

TEST(SettingsDialogRules, StripsAreLaidInColumnsUntilOneStartsBeyondTheRightEdge)
{
    // The panel: 469 x 165 pixels, the strip 556 x 20: one column of nine strips covers it.
    const auto panel = tileOrigins(556, 20, 469, 165);
    std::set<std::pair<int, int>> covering;
    for (const auto& origin : panel)
        if (origin.first < 469 && origin.second < 165)
            covering.insert(origin);
    EXPECT_EQ(covering.size(), 9u);
    EXPECT_EQ(panel.front(), (std::pair{0, 0}));
    EXPECT_GT(panel.back().first, 469);

    // Narrow strips: columns left to right, each top to bottom.
    const auto narrow = tileOrigins(10, 10, 15, 15);
    const std::vector<std::pair<int, int>> expected{{0, 0},  {0, 10},  {0, 20},  {10, 0}, {10, 10},
                                                    {10, 20}, {20, 0}, {20, 10}, {20, 20}};
    EXPECT_EQ(narrow, expected);
    EXPECT_TRUE(tileOrigins(0, 20, 100, 100).empty());
}

TEST(SettingsDialogRules, ChooserFilterMatchesEitherCase)
{
    using namespace std::string_literals;
    EXPECT_EQ(platform::caselessToolkitFilter("BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0"s),
              "BGMﾌｧｲﾙ （MP3 WAV）\t{*.[mM][pP]3,*.[wW][aA][vV]}");
    EXPECT_EQ(platform::caselessToolkitFilter("Text\0*.txt\0All\0*\0"s), "Text\t*.[tT][xX][tT]\nAll\t*");
    EXPECT_EQ(platform::caselessToolkitFilter(""s), "");
    EXPECT_EQ(platform::caselessToolkitFilter("Odd\0"s), "");  // a description without patterns
}

TEST(SettingsDialogRules, ToolkitOffersMusicFilesWhateverTheirCase)
{
    using namespace std::string_literals;
    const std::string filter = platform::caselessToolkitFilter("BGM\0*.MP3;*.WAV\0"s);
    const std::string pattern = filter.substr(filter.find('\t') + 1);
    for (const char* name : {"song.mp3", "SONG.MP3", "Snow Tune.Mp3", "loop.wav", "LOOP.WAV"})
        EXPECT_TRUE(fl_filename_match(name, pattern.c_str())) << name;
    for (const char* name : {"song.mp4", "song.mp3.txt", "wav", "notes.txt"})
        EXPECT_FALSE(fl_filename_match(name, pattern.c_str())) << name;
}

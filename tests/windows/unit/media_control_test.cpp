// The saver's music calls on Windows, answered by the system's media control interface. These
// run without a sound server, as on a machine without a sound card: there is no wave device
// and nothing can be opened for playing; the error texts are there all the same.
#include <gtest/gtest.h>

#include <string>

#include "platform/mci/error_codes.h"
#include "platform/mci/mci.h"

namespace {

using namespace platform;
using namespace platform::mci;

std::string send(const std::string& command, MCIERROR& result)
{
    char reply[128] = "unchanged";
    result = mciSendString(command.c_str(), reply, sizeof reply);
    return reply;
}

// The texts the music's error boxes show are Windows' own: the Linux build's interpreter
// carries the same table.
TEST(MediaControl, ErrorTextsAreTheSystemsAndAreCutToTheBuffer)
{
    int described = 0;
    for (MCIERROR code = MCIERR_BASE; code < MCIERR_BASE + 512; ++code) {
        char text[512] = "unchanged";
        const bool found = mciGetErrorString(code, text, sizeof text);
        const auto expected = errorDescription(code);
        if (!expected)
            continue;
        ++described;
        EXPECT_TRUE(found) << code;
        // Wine's wording of this one has "and that" where the table has "or that".
        if (code != MCIERR_DEVICE_TYPE_REQUIRED) {
            EXPECT_EQ(text, std::string(*expected)) << code;
        }
    }
    EXPECT_GT(described, 60);

    char shortText[10] = {};
    EXPECT_TRUE(mciGetErrorString(MCIERR_FILE_NOT_FOUND, shortText, sizeof shortText));
    EXPECT_EQ(std::string(shortText), std::string(*errorDescription(MCIERR_FILE_NOT_FOUND)).substr(0, 9));
}

TEST(MediaControl, WithoutASoundDeviceNothingPlays)
{
    EXPECT_EQ(waveOutGetNumDevs(), 0u);
    MCIERROR result = 0;
    EXPECT_EQ(send("open C:\\windows\\media\\missing.wav type waveaudio alias music", result), "");
    EXPECT_NE(result, 0u);
    EXPECT_EQ(send("play music", result), "");
    EXPECT_NE(result, 0u) << "nothing was opened under the alias";
    EXPECT_EQ(send("snow fall", result), "");
    EXPECT_EQ(result, MCIERR_UNRECOGNIZED_COMMAND);

    EXPECT_FALSE(playSound("C:\\missing.wav", SND_FILENAME | SND_NODEFAULT | SND_SYNC));
    EXPECT_TRUE(playSound(nullptr, 0)) << "stopping is always possible";
}

}  // namespace

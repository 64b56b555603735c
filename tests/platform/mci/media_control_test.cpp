// The command interpreter behind mciSendString, on a backend whose clock the test moves:
// parsing, replies in each time format, the transport of the CD and of music files, the
// reply-buffer rules, the error texts and the PlaySound flags.
#include <gtest/gtest.h>

#include <string>

#include "platform/mci/media_control_service.h"
#include "tests/support/fake_media_backend.h"

using namespace platform::mci;
using platform::MCIERROR;
using testing_support::FakeMediaBackend;

namespace {

class MediaControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Five tracks of 2 s (150 sectors) each.
        backend.media.disc = FakeMediaBackend::disc({150, 150, 150, 150, 150});
        backend.media.files["/music/tone.mp3"] = 5000;
        backend.media.files["/music/My Song; final.mp3"] = 3000;
    }

    MCIERROR send(const std::string& command)
    {
        char buffer[128] = "stale";
        const MCIERROR result = service.sendString(command.c_str(), buffer, sizeof buffer);
        reply = buffer;
        return result;
    }
    // The reply to a command that must succeed.
    std::string ask(const std::string& command)
    {
        EXPECT_EQ(send(command), MCIERR_NO_ERROR) << command;
        return reply;
    }
    void openCd(const char* format = "tmsf")
    {
        ASSERT_EQ(send("open cdaudio"), MCIERR_NO_ERROR);
        ASSERT_EQ(send(std::string("set cdaudio time format ") + format), MCIERR_NO_ERROR);
    }
    void seconds(double s) { backend.advance(static_cast<std::int64_t>(s * 1000)); }

    FakeMediaBackend backend;
    MediaControlService service{backend};
    std::string reply;
};

TEST_F(MediaControl, MalformedCommandsGiveTheirCodes)
{
    EXPECT_EQ(send(""), MCIERR_MISSING_COMMAND_STRING);
    EXPECT_EQ(send("   "), MCIERR_MISSING_COMMAND_STRING);
    EXPECT_EQ(send("rewind cdaudio"), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(send("play"), MCIERR_MISSING_DEVICE_NAME);
    EXPECT_EQ(send("play MP3Play"), MCIERR_INVALID_DEVICE_NAME) << "not open";
    EXPECT_EQ(send("open \"/music/tone.mp3 type MPEGVideo"), MCIERR_NO_CLOSING_QUOTE);
    EXPECT_EQ(send("open \"/music/tone.mp3\"x type MPEGVideo"), MCIERR_EXTRA_CHARACTERS);
    EXPECT_EQ(send("open /music/tone.mp3 type MPEGVideo alias"), MCIERR_MISSING_STRING_ARGUMENT);
    EXPECT_EQ(send("open /music/tone.mp3 type wmv"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(send("open /music/tone.ogx"), MCIERR_EXTENSION_NOT_FOUND);

    openCd();
    EXPECT_EQ(send("status cdaudio"), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(send("status cdaudio colour"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(send("status cdaudio mode track 2"), MCIERR_FLAGS_NOT_COMPATIBLE);
    EXPECT_EQ(send("status cdaudio position track"), MCIERR_BAD_INTEGER);
    EXPECT_EQ(send("status cdaudio position track three"), MCIERR_BAD_INTEGER);
    EXPECT_EQ(send("play cdaudio from"), MCIERR_BAD_INTEGER);
    EXPECT_EQ(send("play cdaudio from 1 from 2"), MCIERR_DUPLICATE_FLAGS);
    EXPECT_EQ(send("play cdaudio wait wait"), MCIERR_DUPLICATE_FLAGS);
    EXPECT_EQ(send("play cdaudio backwards"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(send("set cdaudio"), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(send("set cdaudio time format"), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(send("set cdaudio time format frames"), MCIERR_BAD_TIME_FORMAT);
    EXPECT_EQ(send("set cdaudio door open"), MCIERR_UNRECOGNIZED_KEYWORD);
    EXPECT_EQ(send("stop all"), MCIERR_CANNOT_USE_ALL);
    EXPECT_EQ(send("open cdaudio"), MCIERR_DEVICE_OPEN);
    EXPECT_EQ(reply, "") << "a failed command leaves the empty text";
}

TEST_F(MediaControl, NamesIgnoreCaseAndQuotedPathsStayWhole)
{
    ASSERT_EQ(send("open \"/music/My Song; final.mp3\" type MPEGVideo Alias MP3Play"), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("STATUS mp3play LENGTH"), "3000");
    EXPECT_EQ(send("open /music/tone.mp3 type mpegvideo alias MP3PLAY"), MCIERR_DUPLICATE_ALIAS);
    EXPECT_EQ(send("play MP3Play wait notify"), MCIERR_NO_ERROR) << "wait and notify are accepted";
    EXPECT_EQ(send("close all"), MCIERR_NO_ERROR);
    EXPECT_EQ(send("status MP3Play mode"), MCIERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(send("open /music/tone.mp3"), MCIERR_NO_ERROR) << "the type follows from the extension";
    EXPECT_EQ(ask("status /MUSIC/TONE.MP3 length"), "5000");
}

TEST_F(MediaControl, CdAnswersInEachTimeFormat)
{
    ASSERT_EQ(send("open cdaudio"), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("status cdaudio time format"), "msf");
    EXPECT_EQ(ask("status cdaudio position"), "00:02:00") << "msf counts the lead-in";
    EXPECT_EQ(ask("status cdaudio position track 3"), "00:06:00");
    EXPECT_EQ(send("set cdaudio time format ms"), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("status cdaudio position track 3"), "6000");
    EXPECT_EQ(ask("status cdaudio length"), "10000");
    EXPECT_EQ(send("set cdaudio time format tmsf"), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("status cdaudio position track 3"), "03:00:00:00");
    EXPECT_EQ(ask("status cdaudio length"), "00:10:00") << "a length has no track";
    EXPECT_EQ(ask("status cdaudio length track 2"), "00:02:00");
    EXPECT_EQ(ask("status cdaudio number of tracks"), "5");
    EXPECT_EQ(ask("status cdaudio current track"), "1");
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(ask("status cdaudio media present"), "true");
    EXPECT_EQ(send("status cdaudio position track 6"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("status cdaudio position track 0"), MCIERR_OUTOFRANGE);
}

TEST_F(MediaControl, CdPositionsOutsideTheDiscAreRefused)
{
    openCd();
    EXPECT_EQ(send("play cdaudio from Error:277"), MCIERR_BAD_INTEGER) << "a failed status reply passed on";
    EXPECT_EQ(send("play cdaudio from Error:-1"), MCIERR_BAD_INTEGER);
    EXPECT_EQ(send("play cdaudio from 09:00:00:00"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("play cdaudio from 03:00:60:00"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("play cdaudio from 03:00:00:75"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("play cdaudio from 01:00:00:00:00"), MCIERR_BAD_INTEGER);
    EXPECT_EQ(send("play cdaudio from 05:00:03:00"), MCIERR_OUTOFRANGE) << "past the end of the disc";
    EXPECT_EQ(send("play cdaudio from 04:00:00:00 to 02:00:00:00"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
}

TEST_F(MediaControl, WholeDiscPlaysOutThenStartsAgain)
{
    openCd();
    EXPECT_EQ(send("play cdaudio"), MCIERR_NO_ERROR);
    EXPECT_EQ(reply, "") << "play has no reply";
    EXPECT_EQ(ask("status cdaudio mode"), "playing");
    seconds(3);
    EXPECT_EQ(ask("status cdaudio current track"), "2");
    EXPECT_EQ(ask("status cdaudio position"), "02:00:01:00");
    seconds(7.5);
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(ask("status cdaudio position"), "01:00:00:00") << "a disc played out is back at its start";
    EXPECT_EQ(send("play cdaudio"), MCIERR_NO_ERROR);
    seconds(1);
    EXPECT_EQ(ask("status cdaudio mode"), "playing");
    EXPECT_EQ(ask("status cdaudio current track"), "1");
}

TEST_F(MediaControl, CdPlaysFromAndToTracks)
{
    openCd();
    EXPECT_EQ(send("play cdaudio from " + ask("status cdaudio position track 3")), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("status cdaudio current track"), "3");
    seconds(2.5);
    EXPECT_EQ(ask("status cdaudio current track"), "4") << "playback runs on towards the end of the disc";

    EXPECT_EQ(send("play cdaudio from 02:00:00:00 to 03:00:00:00"), MCIERR_NO_ERROR);
    seconds(2.5);
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(ask("status cdaudio position"), "03:00:00:00") << "it stops at the end asked for";
}

TEST_F(MediaControl, CdStopPauseAndResumeKeepThePosition)
{
    openCd();
    ASSERT_EQ(send("play cdaudio from 2"), MCIERR_NO_ERROR);
    seconds(1);
    EXPECT_EQ(send("pause cdaudio"), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("status cdaudio mode"), "paused");
    seconds(5);
    EXPECT_EQ(ask("status cdaudio position"), "02:00:01:00");
    EXPECT_EQ(send("resume cdaudio"), MCIERR_NO_ERROR);
    seconds(0.5);
    EXPECT_EQ(send("stop cdaudio"), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(ask("status cdaudio position"), "02:00:01:37");
    EXPECT_EQ(send("close cdaudio"), MCIERR_NO_ERROR);
    EXPECT_EQ(send("close cdaudio"), MCIERR_INVALID_DEVICE_NAME);
}

TEST_F(MediaControl, MissingDriveDiscOrOutput)
{
    backend.media.hasDrive = false;
    EXPECT_EQ(send("open cdaudio"), MCIERR_CANNOT_LOAD_DRIVER);

    backend.media.hasDrive = true;
    backend.media.disc.reset();
    openCd();
    EXPECT_EQ(ask("status cdaudio mode"), "not ready");
    EXPECT_EQ(ask("status cdaudio media present"), "false");
    EXPECT_EQ(send("status cdaudio current track"), MCIERR_DEVICE_NOT_READY);
    EXPECT_EQ(send("play cdaudio"), MCIERR_DEVICE_NOT_READY);

    backend.media.disc = FakeMediaBackend::disc({150, 150});
    EXPECT_EQ(ask("status cdaudio number of tracks"), "2") << "a disc put in later is found";
    backend.media.hasOutput = false;
    EXPECT_EQ(send("play cdaudio"), MCIERR_WAVE_OUTPUTSUNSUITABLE);
    EXPECT_EQ(ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(send("open /music/tone.mp3 type MPEGVideo alias MP3Play"), MCIERR_WAVE_OUTPUTSUNSUITABLE);
}

TEST_F(MediaControl, MusicFilesThatCannotBeOpened)
{
    backend.media.unreadable.push_back("/music/locked.mp3");
    backend.media.undecodable.push_back("/music/text.mp3");
    EXPECT_EQ(send("open \"/music/gone.mp3\" type MPEGVideo Alias MP3Play"), MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(send("open \"/music/locked.mp3\" type MPEGVideo Alias MP3Play"), MCIERR_FILE_READ);
    EXPECT_EQ(send("open \"/music/text.mp3\" type MPEGVideo Alias MP3Play"), MCIERR_INVALID_FILE);
    EXPECT_EQ(send("open \"\" type MPEGVideo Alias MP3Play"), MCIERR_FILE_NOT_FOUND);
}

TEST_F(MediaControl, MusicFilePlaysToItsEndAndFromZeroAgain)
{
    ASSERT_EQ(send("open \"/music/tone.mp3\" type MPEGVideo Alias MP3Play"), MCIERR_NO_ERROR);
    EXPECT_EQ(ask("status MP3Play mode"), "stopped");
    EXPECT_EQ(send("play MP3Play"), MCIERR_NO_ERROR);
    seconds(2);
    EXPECT_EQ(ask("status MP3Play mode"), "playing");
    EXPECT_EQ(ask("status MP3Play position"), "2000");
    seconds(4);
    EXPECT_EQ(ask("status MP3Play mode"), "stopped");
    EXPECT_EQ(ask("status MP3Play position"), "5000");
    EXPECT_EQ(send("play MP3Play from 0"), MCIERR_NO_ERROR);
    seconds(1);
    EXPECT_EQ(ask("status MP3Play position"), "1000");
    EXPECT_EQ(send("play MP3Play from 6000"), MCIERR_OUTOFRANGE);
    EXPECT_EQ(send("set MP3Play time format tmsf"), MCIERR_BAD_TIME_FORMAT);
    EXPECT_EQ(send("status MP3Play current track"), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(send("stop MP3Play"), MCIERR_NO_ERROR);
    seconds(1);
    EXPECT_EQ(ask("status MP3Play position"), "1000");
    EXPECT_EQ(send("play MP3Play to 1500"), MCIERR_NO_ERROR);
    seconds(1);
    EXPECT_EQ(ask("status MP3Play mode"), "stopped");
    EXPECT_EQ(ask("status MP3Play position"), "1500");
}

TEST_F(MediaControl, ReplyBufferRules)
{
    openCd();
    char small[4] = "xyz";
    EXPECT_EQ(service.sendString("status cdaudio position", small, sizeof small), MCIERR_PARAM_OVERFLOW);
    EXPECT_STREQ(small, "");
    char exact[12];
    EXPECT_EQ(service.sendString("status cdaudio position", exact, sizeof exact), MCIERR_NO_ERROR);
    EXPECT_STREQ(exact, "01:00:00:00");
    char untouched[8] = "keep";
    EXPECT_EQ(service.sendString("status cdaudio mode", untouched, 0), MCIERR_NO_ERROR);
    EXPECT_STREQ(untouched, "keep") << "capacity 0: no reply is written";
    EXPECT_EQ(service.sendString("status cdaudio mode", nullptr, 0), MCIERR_NO_ERROR);
    EXPECT_EQ(service.sendString(nullptr, nullptr, 0), MCIERR_MISSING_COMMAND_STRING);
}

TEST_F(MediaControl, ErrorTexts)
{
    char text[256];
    ASSERT_TRUE(MediaControlService::getErrorString(MCIERR_INVALID_DEVICE_NAME, text, sizeof text));
    EXPECT_STREQ(text, "The specified device is not open or is not recognized by MCI.");
    ASSERT_TRUE(MediaControlService::getErrorString(MCIERR_FILE_NOT_FOUND, text, sizeof text));
    EXPECT_STREQ(text, "Cannot find the specified file. Make sure the path and filename are correct.");
    char shortText[10];
    EXPECT_TRUE(MediaControlService::getErrorString(MCIERR_OUTOFRANGE, shortText, sizeof shortText));
    EXPECT_STREQ(shortText, "The speci");
    for (MCIERROR unknown : {0u, 258u, 283u, 351u, 999u}) {
        EXPECT_FALSE(MediaControlService::getErrorString(unknown, text, sizeof text)) << unknown;
        EXPECT_STREQ(text, "");
    }
    EXPECT_FALSE(MediaControlService::getErrorString(MCIERR_OUTOFRANGE, nullptr, 0));
}

TEST_F(MediaControl, PlaySoundFlags)
{
    backend.media.files["/music/loop.wav"] = 1000;
    EXPECT_TRUE(service.playSound("/music/loop.wav", platform::SND_ASYNC | platform::SND_LOOP));
    EXPECT_FALSE(service.playSound("/music/loop.wav", platform::SND_LOOP)) << "a loop needs SND_ASYNC";
    EXPECT_FALSE(service.playSound("/music/loop.wav", platform::SND_ASYNC | platform::SND_MEMORY));
    EXPECT_FALSE(service.playSound("SystemStart", platform::SND_ASYNC | platform::SND_ALIAS));
    EXPECT_FALSE(service.playSound("/music/none.wav", platform::SND_ASYNC));
    EXPECT_TRUE(service.playSound(nullptr, 0));
    EXPECT_EQ(backend.media.soundRequests, (std::vector<std::string>{"loop /music/loop.wav", "stop"}));
    EXPECT_EQ(service.waveOutDeviceCount(), 1u);
    backend.media.hasOutput = false;
    EXPECT_EQ(service.waveOutDeviceCount(), 0u);
}

}  // namespace

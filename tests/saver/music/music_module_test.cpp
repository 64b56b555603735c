// The music module against a media interface the test scripts: the exact command strings,
// buffers and capacities it sends, and what it makes of the answers.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "saver/music/hoarveil_bgm.h"
#include "saver/startup/shared_settings.h"

namespace {

using platform::MCIERROR;

struct Answer {
    MCIERROR result = 0;
    std::string reply;
};

struct ScriptedMci {
    std::vector<std::pair<std::string, unsigned>> sent;  // command and reply capacity
    std::map<std::string, Answer> answers;               // others succeed with no reply
    std::map<MCIERROR, std::string> texts;
    unsigned devices = 1;
    std::vector<std::pair<std::string, unsigned>> sounds;  // name ("" for none) and flags
};
ScriptedMci script;

MCIERROR scriptedSend(const char* command, char* reply, unsigned capacity)
{
    script.sent.emplace_back(command, capacity);
    const auto found = script.answers.find(command);
    const Answer answer = found == script.answers.end() ? Answer{} : found->second;
    if (reply && capacity > 0) {
        const std::string text = answer.result == 0 ? answer.reply : "";
        std::strncpy(reply, text.c_str(), capacity - 1);
        reply[std::min<std::size_t>(text.size(), capacity - 1)] = '\0';
    }
    return answer.result;
}

bool scriptedErrorText(MCIERROR code, char* text, unsigned capacity)
{
    const auto found = script.texts.find(code);
    if (found == script.texts.end())
        return false;
    std::strncpy(text, found->second.c_str(), capacity);
    return true;
}

unsigned scriptedDevices() { return script.devices; }

bool scriptedPlaySound(const char* sound, unsigned flags)
{
    script.sounds.emplace_back(sound ? sound : "", flags);
    return true;
}

const platform::MediaControl scriptedCalls{scriptedSend, scriptedErrorText, scriptedDevices, scriptedPlaySound};

class MusicModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        script = ScriptedMci{};
        BgmState = HoarveilBgmState{};
        BgmState.mci = &scriptedCalls;
        Hoarveil_BGM = HoarveilBgmSettings{};
    }

    std::vector<std::string> commands() const
    {
        std::vector<std::string> only;
        for (const auto& [command, capacity] : script.sent)
            only.push_back(command);
        return only;
    }
    // The drive's answers for one CD watch.
    void cdReports(const std::string& currentTrack, const std::string& mode)
    {
        script.answers["status cdaudio current track"] = {0, currentTrack};
        script.answers["status cdaudio number of tracks"] = {0, "5"};
        script.answers["status cdaudio mode"] = {0, mode};
    }
};

using Commands = std::vector<std::string>;

TEST_F(MusicModule, EmptyCommandIsNeverSent)
{
    std::string reply;
    EXPECT_EQ(MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_EQ(MciStatus(""), "Error:-1");
    EXPECT_TRUE(script.sent.empty());
}

TEST_F(MusicModule, RepliesAndErrorTexts)
{
    std::string reply = "old";
    script.answers["status cdaudio mode"] = {0, "playing"};
    EXPECT_EQ(MciSend("status cdaudio mode", reply), 0);
    EXPECT_EQ(reply, "playing");
    EXPECT_EQ(MciSend("play cdaudio", reply), 0);
    EXPECT_EQ(reply, "") << "a command without a reply leaves the empty text";
    EXPECT_EQ(script.sent.back().second, 512u);

    script.answers["play nothing"] = {263, ""};
    script.texts[263] = "The specified device is not open or is not recognized by MCI.";
    EXPECT_EQ(MciSend("play nothing", reply), 263);
    EXPECT_EQ(reply, "The specified device is not open or is not recognized by MCI.");

    script.answers["play odd"] = {999, ""};
    EXPECT_EQ(MciSend("play odd", reply), 999);
    EXPECT_EQ(reply, "Error (文字列が取れません)");
    EXPECT_EQ(MciStatus("play odd"), "Error:999") << "the status text is the code, never the description";
    EXPECT_EQ(BgmState.MciReply, "Error (文字列が取れません)");
}

TEST_F(MusicModule, PlayCommandForEachCombinationOfPositions)
{
    MciPlay("cdaudio", "", "");
    MciPlay("cdaudio", "03:00:00:00", "");
    MciPlay("cdaudio", "", "04:00:00:00");
    MciPlay("cdaudio", "03:00:00:00", "04:00:00:00");
    EXPECT_EQ(commands(), (Commands{"play cdaudio", "play cdaudio from 03:00:00:00", "play cdaudio to 04:00:00:00",
                                    "play cdaudio from 03:00:00:00 to 04:00:00:00"}));
}

TEST_F(MusicModule, CdOpenAndCloseSendWithoutReplyBuffer)
{
    CdOpen();
    CdClose();
    EXPECT_EQ(commands(), (Commands{"open cdaudio", "set cdaudio time format tmsf", "stop cdaudio", "close cdaudio"}));
    for (const auto& [command, capacity] : script.sent)
        EXPECT_EQ(capacity, 0u) << command;
}

TEST_F(MusicModule, WholeDiscStartsAgainWhenStopped)
{
    cdReports("5", "stopped");
    CdWatch();
    EXPECT_TRUE(BgmState.CdAvailable);
    EXPECT_EQ(commands(), (Commands{"status cdaudio current track", "status cdaudio number of tracks",
                                    "status cdaudio mode", "play cdaudio"}));
    EXPECT_EQ(script.sent[2].second, 255u);

    script.sent.clear();
    cdReports("2", "playing");
    CdWatch();
    EXPECT_EQ(commands().size(), 3u) << "a playing disc is left alone";
}

TEST_F(MusicModule, LoopedTrackIsPlayedAgainWhenAnotherPlays)
{
    Hoarveil_BGM.BgmRepeat = 3;
    cdReports("4", "playing");
    script.answers["status cdaudio position track 3"] = {0, "03:00:00:00"};
    CdWatch();
    EXPECT_TRUE(BgmState.CdAvailable);
    EXPECT_EQ(commands(), (Commands{"status cdaudio current track", "status cdaudio number of tracks",
                                    "status cdaudio mode", "status cdaudio position track 3",
                                    "play cdaudio from 03:00:00:00"}));

    script.sent.clear();
    cdReports("3", "playing");
    CdWatch();
    EXPECT_EQ(commands().size(), 3u) << "already playing the chosen track: no play";

    script.sent.clear();
    cdReports("3", "stopped");
    CdWatch();
    EXPECT_EQ(commands().back(), "play cdaudio from 03:00:00:00") << "the chosen track has played out";
}

TEST_F(MusicModule, UnusableCd)
{
    script.answers["status cdaudio current track"] = {276, ""};
    CdWatch();
    EXPECT_FALSE(BgmState.CdAvailable);
    EXPECT_EQ(commands(), (Commands{"status cdaudio current track"}));

    script.sent.clear();
    cdReports("1", "stopped");
    script.answers["status cdaudio number of tracks"] = {266, ""};
    CdWatch();
    EXPECT_FALSE(BgmState.CdAvailable);
    EXPECT_EQ(commands().size(), 2u);

    Hoarveil_BGM.BgmRepeat = 2;
    script.sent.clear();
    cdReports("track one", "stopped");
    CdWatch();
    EXPECT_FALSE(BgmState.CdAvailable) << "a track that is no number, even while stopped";
    EXPECT_EQ(commands().size(), 3u);
}

TEST_F(MusicModule, ChosenTrackTheDiscDoesNotHave)
{
    Hoarveil_BGM.BgmRepeat = 12;
    cdReports("1", "stopped");
    script.answers["status cdaudio position track 12"] = {282, ""};
    script.answers["play cdaudio from Error:282"] = {270, ""};
    CdWatch();
    EXPECT_TRUE(BgmState.CdAvailable) << "the watch keeps trying";
    EXPECT_EQ(commands().back(), "play cdaudio from Error:282");
}

TEST_F(MusicModule, Mp3OpensQuotedAndPlaysOnlyWhenOpen)
{
    Hoarveil_BGM.BgmFile = "/home/me/My Music/snow; live.mp3";
    Mp3Start();
    EXPECT_EQ(commands(), (Commands{"open \"/home/me/My Music/snow; live.mp3\" type MPEGVideo Alias MP3Play",
                                    "play MP3Play"}));

    script.sent.clear();
    script.answers["open \"/gone.mp3\" type MPEGVideo Alias MP3Play"] = {275, ""};
    Hoarveil_BGM.BgmFile = "/gone.mp3";
    Mp3Start();
    EXPECT_EQ(commands().size(), 1u) << "no play after a failed open";
}

TEST_F(MusicModule, Mp3WatchRestartsFromZeroWhenNotPlaying)
{
    script.answers["status MP3Play mode"] = {0, "playing"};
    EXPECT_TRUE(Mp3IsPlaying());
    EXPECT_EQ(script.sent.back(), (std::pair<std::string, unsigned>{"status MP3Play mode", 30}));
    Mp3Watch();
    EXPECT_EQ(commands().size(), 2u);

    script.sent.clear();
    script.answers["status MP3Play mode"] = {0, "stopped"};
    Mp3Watch();
    EXPECT_EQ(commands(), (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));

    script.answers["status MP3Play mode"] = {0, "paused"};
    EXPECT_FALSE(Mp3IsPlaying());
    script.sent.clear();
    Mp3Close();
    EXPECT_EQ(commands(), (Commands{"stop MP3Play", "close MP3Play"}));
}

TEST_F(MusicModule, WavLoopsOnlyWithAnOutputDevice)
{
    Hoarveil_BGM.BgmFile = "/music/snow.wav";
    script.devices = 0;
    WavStart();
    EXPECT_TRUE(script.sounds.empty());
    script.devices = 2;
    WavStart();
    WavStop();
    EXPECT_EQ(script.sounds, (std::vector<std::pair<std::string, unsigned>>{{"/music/snow.wav", 9}, {"", 0}}));
}

}  // namespace

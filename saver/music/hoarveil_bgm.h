#pragma once
// The music module: a thin layer over the media control interface (MciSend, MciStatus,
// MciPlay) and the three players the show drives: the audio CD ("cdaudio", optionally looping
// one track), an MP3 file (alias "MP3Play", restarted whenever it stops) and a WAV file
// (PlaySound in a loop). What to play comes from the shared settings in Hoarveil_BGM.
// Everything runs on the saver's one thread; nothing here shows a message.
#include <array>
#include <cstdint>
#include <string>

#include "platform/mci/mci.h"

struct HoarveilBgmState {
    // The multimedia calls; tests hand in their own.
    const platform::MediaControl* mci = &platform::systemMediaControl();

    std::array<char, 512> replyBuffer{};
    std::array<char, 256> errorBuffer{};
    // The reply or error text of the last command sent by MciStatus or MciPlay.
    std::string MciReply;

    // True while the audio CD can be used; the show keeps its CD watch running only then.
    bool CdAvailable = false;
    std::array<char, 256> cdModeBuffer{};
    std::array<char, 30> mp3ModeBuffer{};
};
extern HoarveilBgmState BgmState;

// Sends a command: 0 and the device's reply, or the error code and its text; -1 for an empty
// command, which is never sent.
std::int32_t MciSend(const std::string& command, std::string& reply);
// The reply to a status query, or "Error:" followed by the code.
std::string MciStatus(const std::string& command);
// Sends "play <device>", with " from <from>" and " to <to>" for the positions given.
std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

void CdOpen();
void CdWatch();
void CdClose();

void Mp3Start();
void Mp3Watch();
bool Mp3IsPlaying();
void Mp3Close();

void WavStart();
void WavStop();

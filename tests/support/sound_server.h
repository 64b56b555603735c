#pragma once
// A private PulseAudio sound server with one null sink, for the Windows build's music tests:
// Wine plays into it (PULSE_SERVER names it) and a recorder writes what the sink hears to a file,
// in real time, in the raw format DiskAudioFile reads.
#include <memory>
#include <string>

#include "tests/support/audio_tone.h"
#include "tests/support/child_process.h"

namespace testing_support {

class PrivateSoundServer {
public:
    // Starts the server with its socket and files in the folder; throws when it doesn't come up.
    explicit PrivateSoundServer(const std::string& folder);
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // What PULSE_SERVER must say for a program to play here.
    std::string address() const { return "unix:" + folder + "/socket"; }

    // Starts recording the sink into the folder's sound.raw; the recording grows until this
    // server goes.
    DiskAudioFile record();

private:
    std::string folder;
    std::unique_ptr<ChildProcess> server;
    std::unique_ptr<ChildProcess> recorder;
};

}  // namespace testing_support

#include "tests/support/sound_server.h"

#include <filesystem>
#include <stdexcept>

#include "tests/support/x_user.h"

namespace testing_support {

namespace fs = std::filesystem;

PrivateSoundServer::PrivateSoundServer(const std::string& folder) : folder(folder)
{
    fs::create_directories(folder + "/home");
    fs::create_directories(folder + "/run");
    const std::map<std::string, std::string> environment{
        {"HOME", folder + "/home"}, {"XDG_RUNTIME_DIR", folder + "/run"}, {"PULSE_RUNTIME_PATH", folder + "/run"}};
    // No configuration of the machine's: only the sink and the socket, open to anyone who finds it.
    server = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                 "--disable-shm=yes", "--load=module-null-sink sink_name=hoarveil",
                                 "--load=module-native-protocol-unix auth-anonymous=1 socket=" + folder + "/socket"},
        environment);
    if (!waitUntil([&] { return fs::exists(folder + "/socket"); }, 15s))
        throw std::runtime_error("the private sound server did not start: " + server->errorOutput());
}

PrivateSoundServer::~PrivateSoundServer()
{
    recorder.reset();
    server.reset();
}

DiskAudioFile PrivateSoundServer::record()
{
    const std::string file = folder + "/sound.raw";
    // A short latency: the file grows in step with what is played.
    recorder = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/parec", "--raw", "--format=s16le", "--rate=44100", "--channels=2",
                                 "--latency-msec=20", "-d", "hoarveil.monitor", file},
        std::map<std::string, std::string>{{"PULSE_SERVER", address()}, {"HOME", folder + "/home"}});
    waitUntil([&] { return fs::exists(file) && fs::file_size(file) > 0; }, 10s);
    return DiskAudioFile(file);
}

}  // namespace testing_support

#include "tests/support/xserver.h"

#include <X11/extensions/scrnsaver.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <vector>

#include "tests/support/child_process.h"

extern char** environ;

namespace testing_support {

PrivateXServer::PrivateXServer(int width, int height, int depth, const std::vector<std::string>& options)
    : screenWidth(width), screenHeight(height)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");

    // Xvfb writes the display number it took to fd 3 once it accepts connections.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    std::vector<std::string> args = {"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int spawned = posix_spawnp(&server, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start Xvfb");
    }

    std::string number;
    pollfd reader{pipeEnds[0], POLLIN, 0};
    while (poll(&reader, 1, 10'000) > 0) {
        char c;
        if (read(pipeEnds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(pipeEnds[0]);
    if (number.empty()) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
        throw std::runtime_error("Xvfb did not report its display");
    }
    displayName = ":" + number;
    connection = XOpenDisplay(displayName.c_str());
    if (!connection)
        throw std::runtime_error("cannot connect to " + displayName);
}

PrivateXServer::~PrivateXServer()
{
    if (connection)
        XCloseDisplay(connection);
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
}

int PrivateXServer::screenSaverState() const
{
    XScreenSaverInfo info{};
    XScreenSaverQueryInfo(connection, DefaultRootWindow(connection), &info);
    return info.state;
}

bool PrivateXServer::addMonitor(const std::string& name, int width, int height, int x, int y)
{
    // Sizes in millimetres at 96 dots per inch.
    const std::string geometry = std::to_string(width) + "/" + std::to_string(width * 254 / 960) + "x" +
                                 std::to_string(height) + "/" + std::to_string(height * 254 / 960) + "+" +
                                 std::to_string(x) + "+" + std::to_string(y);
    ChildProcess xrandr({"/usr/bin/xrandr", "--setmonitor", name, geometry, "none"}, {{"DISPLAY", displayName}});
    return xrandr.waitForExit(std::chrono::seconds(10)) == 0;
}

}  // namespace testing_support

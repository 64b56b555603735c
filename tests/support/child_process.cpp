#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace testing_support {

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment)
{
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos)
            merged[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [key, value] : environment)
        merged[key] = value;
    std::vector<std::string> envStrings;
    for (const auto& [key, value] : merged)
        envStrings.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (auto& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argvp;
    for (auto& a : args)
        argvp.push_back(a.data());
    argvp.push_back(nullptr);

    char pattern[] = "/tmp/hoarveil-test-stderr-XXXXXX";
    const int fd = mkstemp(pattern);
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    close(fd);
    errorFile = pattern;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_TRUNC, 0);
    const int spawned = posix_spawn(&child, argvp[0], &actions, nullptr, argvp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " + argv.front());
}

ChildProcess::~ChildProcess()
{
    if (running()) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    unlink(errorFile.c_str());
}

bool ChildProcess::running() { return !waitForExit(std::chrono::milliseconds(0)).has_value(); }

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!exitCode) {
        int status = 0;
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        else if (std::chrono::steady_clock::now() >= deadline)
            break;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return exitCode;
}

void ChildProcess::signal(int number)
{
    if (running())
        kill(child, number);
}

std::string ChildProcess::errorOutput() const
{
    std::ifstream in(errorFile);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace testing_support

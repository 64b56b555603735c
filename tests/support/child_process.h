#pragma once
// A program started by a test, with its own environment additions. It is killed, if still
// running, when the object goes.
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return child; }
    bool running();
    // The exit code (128 + signal for a killed program), or nothing when it still runs.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);
    void signal(int number);
    // Everything the program wrote to its standard error so far.
    std::string errorOutput() const;

private:
    pid_t child = -1;
    std::optional<int> exitCode;
    std::string errorFile;
};

}  // namespace testing_support

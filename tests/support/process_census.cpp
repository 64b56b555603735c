#include "tests/support/process_census.h"
#include "tests/support/file_text.h"

#include <filesystem>
#include <functional>

namespace testing_support {
namespace {

bool isZombie(const std::filesystem::path& process)
{
    const std::string text = fileText(process / "stat");
    const auto close = text.rfind(')');
    return close == std::string::npos || text.compare(close, 3, ") Z") == 0;
}

// Live processes (zombies aside) whose file in /proc/<pid>/ the test accepts.
std::vector<pid_t> processesWhose(const char* file, const std::function<bool(const std::string&)>& accepted)
{
    std::vector<pid_t> found;
    std::error_code ignored;
    for (const auto& process : std::filesystem::directory_iterator("/proc", ignored)) {
        const std::string name = process.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (accepted(fileText(process.path() / file)) && !isZombie(process.path()))
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

}  // namespace

std::vector<pid_t> processesWithEnvironment(const std::string& entry)
{
    // Entries are separated by NULs: match a whole entry only.
    const std::string wanted = std::string(1, '\0') + entry + '\0';
    return processesWhose("environ", [&](const std::string& environment) {
        return ('\0' + environment).find(wanted) != std::string::npos;
    });
}

std::vector<pid_t> processesWithCommandLine(const std::string& part)
{
    return processesWhose("cmdline", [&](const std::string& commandLine) {
        return commandLine.find(part) != std::string::npos;
    });
}

}  // namespace testing_support

#include "tests/support/process_census.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_support {
namespace {

bool isZombie(const std::filesystem::path& process)
{
    std::ifstream stat(process / "stat");
    const std::string text{std::istreambuf_iterator<char>(stat), std::istreambuf_iterator<char>()};
    const auto close = text.rfind(')');
    return close == std::string::npos || text.compare(close, 3, ") Z") == 0;
}

}  // namespace

std::vector<pid_t> processesWithEnvironment(const std::string& entry)
{
    std::vector<pid_t> found;
    std::error_code ignored;
    for (const auto& process : std::filesystem::directory_iterator("/proc", ignored)) {
        const std::string name = process.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream file(process.path() / "environ", std::ios::binary);
        const std::string environment{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        // Entries are separated by NULs: match a whole entry only.
        const std::string wanted = std::string(1, '\0') + entry + '\0';
        if (('\0' + environment).find(wanted) != std::string::npos && !isZombie(process.path()))
            found.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return found;
}

}  // namespace testing_support

#include "tests/support/wine_installer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/process_census.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// `wine reg arguments...` in the prefix, with what it prints.
std::string reg(const WinePrefix& prefix, const std::vector<std::string>& arguments)
{
    std::string command = "env";
    for (const auto& [name, value] : prefix.environment(""))
        command += " " + name + "=" + quoted(value);
    command += " /usr/bin/wine reg";
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    return commandOutput(command + " 2>/dev/null");
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        all.push_back(line);
    }
    return all;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

std::map<std::string, std::string> registryValues(const WinePrefix& prefix, const std::string& key)
{
    // A value's line: four spaces, then name, type and data, four spaces apart.
    const std::string gap = "    ";
    std::map<std::string, std::string> values;
    for (const std::string& line : lines(reg(prefix, {"query", key}))) {
        if (line.rfind(gap, 0) != 0)
            continue;
        const auto typeAt = line.find(gap + "REG_", gap.size());
        if (typeAt == std::string::npos)
            continue;
        const auto dataAt = line.find(gap, typeAt + gap.size());
        values[line.substr(gap.size(), typeAt - gap.size())] =
            dataAt == std::string::npos ? "" : line.substr(dataAt + gap.size());
    }
    return values;
}

std::vector<std::string> registrySubkeys(const WinePrefix& prefix, const std::string& key)
{
    // `reg query` names the key itself (only when it has values) and each subkey in full, the
    // root spelt out ("HKEY_CURRENT_USER"); a subkey's name goes on past the key's path.
    const std::string path = lowerCase(key.substr(key.find('\\'))) + "\\";
    std::vector<std::string> subkeys;
    for (const std::string& line : lines(reg(prefix, {"query", key})))
        if (line.rfind("HKEY_", 0) == 0 && lowerCase(line).find(path) != std::string::npos)
            subkeys.push_back(line);
    return subkeys;
}

void setRegistryValue(const WinePrefix& prefix, const std::string& key, const std::string& name,
                      const std::string& data)
{
    reg(prefix, {"add", key, "/v", name, "/d", data, "/f"});
    if (registryValues(prefix, key).count(name) == 0)
        throw std::runtime_error("cannot write " + key + "\\" + name);
}

int runSilentlyToTheEnd(const WinePrefix& prefix, const std::string& program, const std::string& display)
{
    const int code = prefix.run(program, {"/S"}, display, std::chrono::minutes(2));
    // An NSIS uninstaller's copy of itself runs from %TEMP%\~nsu*.tmp; the original has waited
    // for its start.
    const auto copyRunning = [&] {
        const auto inPrefix = processesWithEnvironment("WINEPREFIX=" + prefix.folder());
        for (const pid_t copy : processesWithCommandLine("\\~nsu"))
            if (std::find(inPrefix.begin(), inPrefix.end(), copy) != inPrefix.end())
                return true;
        return false;
    };
    for (auto end = std::chrono::steady_clock::now() + std::chrono::minutes(2);
         copyRunning() && std::chrono::steady_clock::now() < end;)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return code;
}

std::string applicationDataFolder(const WinePrefix& prefix)
{
    for (const auto& user : fs::directory_iterator(prefix.linuxPath("C:\\users")))
        if (user.path().filename() != "Public" && user.is_directory() && !user.is_symlink())
            return (user.path() / "AppData/Roaming").string();
    throw std::runtime_error("the prefix has no user folder");
}

}  // namespace testing_support

#pragma once
// Hoarveil's installer under Wine, and what Windows keeps of an install: its registry.
#include <map>
#include <string>
#include <vector>

#include "tests/support/wine.h"

namespace testing_support {

// The values of a registry key ("HKCU\Control Panel\Desktop"), name to data as `reg query`
// lists them (a REG_DWORD as 0x...); empty when the key doesn't exist.
std::map<std::string, std::string> registryValues(const WinePrefix& prefix, const std::string& key);
// The full names of a key's subkeys.
std::vector<std::string> registrySubkeys(const WinePrefix& prefix, const std::string& key);
// Writes a REG_SZ value, creating the key when needed.
void setRegistryValue(const WinePrefix& prefix, const std::string& key, const std::string& name,
                      const std::string& data);

// Runs a program with /S, as Apps & features runs a quiet uninstall, and waits for its work to
// end: an uninstaller hands it to a copy of itself and exits at once. The program's exit code.
int runSilentlyToTheEnd(const WinePrefix& prefix, const std::string& program, const std::string& display);

// The Linux path of the prefix's user's own folder of application data, %APPDATA%.
std::string applicationDataFolder(const WinePrefix& prefix);

}  // namespace testing_support

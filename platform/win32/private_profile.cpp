#include "platform/private_profile.h"

#include <windows.h>

#include <algorithm>

namespace platform {

std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, char* buffer, std::size_t size,
                                    const std::string& file)
{
    if (!buffer || size == 0)
        return 0;
    // The call takes a 32-bit size; a bigger buffer just goes partly unused.
    const DWORD capacity = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, capacity,
                                    file.c_str());
}

bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

}  // namespace platform

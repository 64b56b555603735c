#include "saver/startup/settings_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/executable_folder.h"
#include "platform/file_access.h"
#include "platform/private_profile.h"
#include "saver/forms/conversions.h"
#include "saver/startup/shared_settings.h"

HoarveilBgmSettings Hoarveil_BGM;
HoarveilStartup Hoarveil_B = [] {
    HoarveilStartup startup;
    startup.AppFolder = platform::executableFolder();
    return startup;
}();

namespace {

// The first `count` characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, std::size_t count)
{
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size() && seen < count; ++seen) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    return text.substr(0, at);
}

std::string userSettingsFile()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (configHome && *configHome)
        folder = configHome;
    else
        folder = std::string(std::getenv("HOME") ? std::getenv("HOME") : ".") + "/.config";
    mkdir(folder.c_str(), 0700);
    folder += "/hoarveil";
    mkdir(folder.c_str(), 0700);
    return folder + "/Hoarveil.ini";
}

// Text to a 16-bit setting: rounded down; no change when it is not a number or out of range.
void readSetting(const std::string& file, const char* key, std::int16_t& setting)
{
    const std::string text = ReadIni(settingsSection, key, file);
    if (text.empty()) {
        setting = 0;
        return;
    }
    if (const auto number = forms::parseNumber(text))
        if (const auto value = forms::toInt16(forms::roundDown(*number)))
            setting = *value;
}

}  // namespace

std::string SettingsFile()
{
    // An installed copy serves every user of the machine: each keeps settings of their own, root
    // too, and nothing is ever written into the install folder.
    const std::string& folder = Hoarveil_B.AppFolder;
    if (!FileExists(folder + "/" + perUserSettingsMarker) && access(folder.c_str(), W_OK) == 0)
        return folder + "/Hoarveil.ini";
    return userSettingsFile();
}

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file)
{
    char buffer[256] = {};
    platform::getPrivateProfileString(section, key, "", buffer, sizeof buffer, file);
    return buffer;
}

std::string WriteIni(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file)
{
    // Section and key travel in fixed fields of 128 characters.
    platform::writePrivateProfileString(firstCharacters(section, 128), firstCharacters(key, 128), value, file);
    return {};
}

void LoadSettings()
{
    const std::string file = SettingsFile();
    readSetting(file, keyBgmKind, Hoarveil_BGM.BgmKind);
    readSetting(file, keyBgmRepeat, Hoarveil_BGM.BgmRepeat);

    Hoarveil_BGM.BgmFile = ReadIni(settingsSection, keyBgmFile, file);
    if (!Hoarveil_BGM.BgmFile.empty() && !FileExists(Hoarveil_BGM.BgmFile))
        Hoarveil_BGM.BgmFile.clear();
    if (Hoarveil_BGM.BgmFile.empty() && Hoarveil_BGM.BgmKind == 2)
        Hoarveil_BGM.BgmKind = 0;

    Hoarveil_BGM.BgmFolder = Hoarveil_BGM.BgmFile.empty() ? Hoarveil_B.AppFolder : FolderOf(Hoarveil_BGM.BgmFile);
}

bool FileExists(const std::string& path)
{
    std::string file = path;
    if (!file.empty() && file.back() == '/')
        file.pop_back();
    return !file.empty() && platform::canOpenForReading(file);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    // The root keeps its slash: an empty folder would mean "wherever we are".
    return slash == 0 ? "/" : path.substr(0, slash);
}

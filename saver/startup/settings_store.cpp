#include "saver/startup/settings_store.h"

#include "platform/executable_folder.h"
#include "platform/file_reader.h"
#include "platform/path.h"
#include "platform/private_profile.h"
#include "platform/settings_folder.h"
#include "saver/forms/conversions.h"
#include "saver/startup/shared_settings.h"

HoarveilBgmSettings Hoarveil_BGM;
HoarveilStartup Hoarveil_B = [] {
    HoarveilStartup startup;
    startup.AppFolder = platform::executableFolder();
    return startup;
}();

namespace {

constexpr const char* settingsFileName = "Hoarveil.ini";

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
    if (!FileExists(platform::joinPath(folder, perUserSettingsMarker)) && platform::folderIsWritable(folder))
        return platform::joinPath(folder, settingsFileName);
    return platform::joinPath(platform::userSettingsFolder(), settingsFileName);
}

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file)
{
    // A buffer of 256 bytes in the code page: a stored value of up to 255 comes back whole.
    return platform::getPrivateProfileString(section, key, "", 256, file);
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
    if (!file.empty() && platform::separatesFolders(file.back()))
        file.pop_back();
    return !file.empty() && platform::FileReader(file).opened();
}

std::string FolderOf(const std::string& path)
{
    auto separator = path.size();
    while (separator > 0 && !platform::separatesFolders(path[separator - 1]))
        --separator;
    if (separator == 0)
        return {};
    // A root keeps its separator ("/", "C:\"): an empty folder would mean "wherever we are".
    const bool root = separator == 1 || (separator == 3 && path[1] == ':');
    return path.substr(0, root ? separator : separator - 1);
}

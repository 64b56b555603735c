#pragma once
// The saver's settings file and the small utilities of the start-up module.
#include <string>

// The INI file behind the settings: beside the saver, or the user's own,
// $XDG_CONFIG_HOME/hoarveil/Hoarveil.ini (%APPDATA%\Hoarveil\Hoarveil.ini on Windows), for an installed copy (one with the marker file
// beside it) and when the saver's folder can't be written (on Windows, nor spelt in the
// system's code page), so saved settings are never lost.
std::string SettingsFile();

// The file that an install puts beside the programs to say that settings are kept per user.
inline constexpr const char* perUserSettingsMarker = "per-user-settings";

// The value, or the empty text when the file, the section or the key is missing.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);
// Writes one key; reports nothing, the result is always the empty text.
std::string WriteIni(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file);
// Fills the music settings from the settings file, with their fallbacks.
void LoadSettings();
// True when the path names a file that can be opened for reading (never a folder).
bool FileExists(const std::string& path);
// The folder part of a path: "/music/a.mp3" gives "/music", "/a.mp3" gives "/", "C:\a.mp3"
// gives "C:\".
std::string FolderOf(const std::string& path);

inline constexpr const char* settingsSection = "Section";
inline constexpr const char* keyBgmKind = "BGM区分";
inline constexpr const char* keyBgmRepeat = "BGMﾘﾋﾟｰﾄ";
inline constexpr const char* keyBgmFile = "BGMﾌｧｲﾙ";

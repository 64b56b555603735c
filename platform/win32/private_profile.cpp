// The settings file through the ANSI profile functions. Section and key names always go in
// Shift-JIS, the bytes Japanese Windows has written the saver's files with: under code page 932
// those are its own texts, and under a Western code page the three key names still stay apart
// (their bytes differ in more than case). Values are in the system's code page, as the music
// path the file chooser gives is.
#include "platform/private_profile.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/ansi_file_name.h"
#include "platform/win32/text_encoding.h"

namespace platform {

using win32::codePageFromUtf8;

std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file)
{
    if (size == 0)
        return {};
    const auto nativeSection = codePageFromUtf8(section, win32::shiftJis);
    const auto nativeKey = codePageFromUtf8(key, win32::shiftJis);
    const auto nativeFile = win32::ansiFileName(file);
    if (!nativeSection || !nativeKey || !nativeFile)
        return win32::utf8FromCodePagePrefix(codePageFromUtf8(defaultValue).value_or(""), size - 1);
    // The size counts the code page's bytes, as the call's does: a Shift-JIS path of 250 bytes
    // comes back whole, though its UTF-8 is half as long again. The call takes a 32-bit size; a
    // bigger buffer would just go partly unused.
    std::vector<char> native(std::min<std::size_t>(size, MAXDWORD), '\0');
    const auto nativeDefault = codePageFromUtf8(defaultValue).value_or("");
    const DWORD length = GetPrivateProfileStringA(nativeSection->c_str(), nativeKey->c_str(), nativeDefault.c_str(),
                                                  native.data(), static_cast<DWORD>(native.size()), nativeFile->c_str());
    // A value cut to the buffer may end in a NUL where a letter's first byte would have stood.
    return win32::utf8FromCodePagePrefix(std::string(native.data(), strnlen(native.data(), length)), size - 1);
}

bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file)
{
    // A text the file can't hold is not written at all, rather than with '?' in its place.
    const auto nativeSection = codePageFromUtf8(section, win32::shiftJis);
    const auto nativeKey = codePageFromUtf8(key, win32::shiftJis);
    const auto nativeValue = codePageFromUtf8(value);
    const auto nativeFile = win32::ansiFileName(file);
    if (!nativeSection || !nativeKey || !nativeValue || !nativeFile)
        return false;
    return WritePrivateProfileStringA(nativeSection->c_str(), nativeKey->c_str(), nativeValue->c_str(),
                                      nativeFile->c_str()) != FALSE;
}

}  // namespace platform

#include "platform/settings_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/path.h"
#include "platform/win32/text_encoding.h"

namespace platform {

bool folderIsWritable(const std::string& folder)
{
    // The settings file goes through the ANSI profile functions: a folder the code page can't
    // spell (C:\ユーザー on a Western system) is no place for it, even where it can be written.
    if (!win32::codePageFromUtf8(folder))
        return false;
    // The attributes say nothing about the ACL (System32 is not read-only, yet users can't
    // write there): only making a file shows it.
    const std::wstring probe = win32::wideFromUtf8(folder) + L"\\Hoarveil.probe";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

std::string userSettingsFolder()
{
    // The wide call: the user's profile folder is often named in what the code page lacks.
    wchar_t appData[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK)
        return {};
    // A folder of the user's profile: only the user can read it already.
    const std::string folder = joinPath(win32::utf8FromWide(appData), "Hoarveil");
    CreateDirectoryW(win32::wideFromUtf8(folder).c_str(), nullptr);
    return folder;
}

}  // namespace platform

// Reads back what Windows reads from a program's file without running it, the way the shell and
// the Screen Saver Settings do:
//   resource_reader <program> <folder>
// writes into the folder (which must exist)
//   resources.txt   "name=value" lines in UTF-8: string1 (LoadStringW), each text of the version
//                   information (GetFileVersionInfoW, in the language its Translation names),
//                   fileVersion and productVersion (the fixed numbers), iconSizes (the icon
//                   group's entries, in their order)
//   manifest.xml    the RT_MANIFEST resource, byte for byte
//   icon<N>.rgb     the icon as LoadImageW gives it at N x N pixels, drawn over magenta: RGB
//                   rows, top row first, for each N of iconSizes
// Exit code 0 when all was read, 1 for a wrong call, 2 when the program can't be loaded, 3 when
// an icon the group lists can't be drawn; a part that is missing is left out of the files.
// Built with UNICODE, so that the resource types (RT_MANIFEST, ...) are the wide calls' own.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string utf8(const wchar_t* text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring wide(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), result.data(), size);
    return result;
}

std::string versionNumbers(DWORD high, DWORD low)
{
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." + std::to_string(HIWORD(low)) +
           "." + std::to_string(LOWORD(low));
}

void writeVersionInformation(const std::wstring& program, std::ofstream& out)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0)
        return;
    std::vector<std::uint8_t> block(size);
    if (!GetFileVersionInfoW(program.c_str(), 0, size, block.data()))
        return;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        out << "fileVersion=" << versionNumbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS) << "\n";
        out << "productVersion=" << versionNumbers(fixed->dwProductVersionMS, fixed->dwProductVersionLS) << "\n";
    }
    // The texts are found under the first language and code page that Translation lists.
    struct Translation {
        WORD language, codePage;
    };
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < sizeof(Translation))
        return;
    const auto* translation = static_cast<const Translation*>(value);
    wchar_t prefix[64];
    wsprintfW(prefix, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
    for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                             "OriginalFilename", "ProductName", "ProductVersion"}) {
        const std::wstring path = prefix + wide(name);
        if (VerQueryValueW(block.data(), path.c_str(), &value, &length) && length > 0) {
            const auto* text = static_cast<const wchar_t*>(value);
            out << name << "=" << utf8(text, int(wcsnlen(text, length))) << "\n";
        }
    }
}

// The sizes the first icon group lists; 0 in a directory entry stands for 256.
std::vector<int> iconSizes(HMODULE module)
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct GroupHeader {
        WORD reserved, type, count;
    };
#pragma pack(pop)
    std::vector<int> sizes;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    if (!found)
        return sizes;
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    if (!data || size < sizeof(GroupHeader))
        return sizes;
    const auto* header = reinterpret_cast<const GroupHeader*>(data);
    const auto* entries = reinterpret_cast<const GroupEntry*>(data + sizeof(GroupHeader));
    for (WORD i = 0; i < header->count && sizeof(GroupHeader) + (i + 1) * sizeof(GroupEntry) <= size; ++i)
        sizes.push_back(entries[i].width == 0 ? 256 : entries[i].width);
    return sizes;
}

// The icon at the size as LoadImageW picks it, drawn over magenta, so that what it leaves
// transparent shows.
bool writeIcon(HMODULE module, int size, const std::string& file)
{
    const auto icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
    if (!icon)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    bool drawn = false;
    if (bitmap && memory) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        auto* pixels = static_cast<std::uint32_t*>(bits);
        std::fill(pixels, pixels + size * size, 0x00FF00FFu);
        drawn = DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        std::string rgb;
        for (int i = 0; i < size * size; ++i)
            rgb += {char(pixels[i] >> 16), char(pixels[i] >> 8), char(pixels[i])};
        std::ofstream(file, std::ios::binary) << rgb;
        SelectObject(memory, previous);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    DestroyIcon(icon);
    return drawn;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 1;
    const std::wstring program = wide(argv[1]);
    const std::string folder = std::string(argv[2]) + "\\";
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return 2;

    std::ofstream out(folder + "resources.txt", std::ios::binary);
    const wchar_t* name = nullptr;
    // A length of 0 asks for a read-only pointer into the resource itself.
    if (const int length = LoadStringW(module, 1, reinterpret_cast<wchar_t*>(&name), 0); length > 0)
        out << "string1=" << utf8(name, length) << "\n";
    writeVersionInformation(program, out);

    const std::vector<int> sizes = iconSizes(module);
    out << "iconSizes=";
    for (std::size_t i = 0; i < sizes.size(); ++i)
        out << (i ? " " : "") << sizes[i];
    out << "\n";
    bool complete = true;
    for (int size : sizes)
        complete &= writeIcon(module, size, folder + "icon" + std::to_string(size) + ".rgb");

    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST)) {
        const auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        std::ofstream(folder + "manifest.xml", std::ios::binary).write(text, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return complete ? 0 : 3;
}

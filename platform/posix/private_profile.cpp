#include "platform/private_profile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_reader.h"

namespace platform {
namespace {

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string unquoted(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// One line of the file as the profile functions see it.
struct Line {
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed, quotes kept
};

Line parse(const std::string& text)
{
    const std::string line = trimmed(text);
    Line parsed;
    if (line.empty() || line.front() == ';')
        return parsed;
    if (line.front() == '[') {
        const auto close = line.find(']');
        parsed.kind = Line::Kind::Section;
        parsed.name = trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return parsed;
    }
    const auto equals = line.find('=');
    parsed.kind = Line::Kind::Key;
    parsed.name = trimmed(line.substr(0, equals));
    if (equals != std::string::npos)
        parsed.value = trimmed(line.substr(equals + 1));
    return parsed;
}

// A line of the file and the CRLF, LF or lone CR that ends it; only the last line may lack one.
struct TextLine {
    std::string text;
    std::string end;
};

// The file's lines: none when there is no file, nothing at all when there is one that can't be
// read, so that a write never replaces what it could not see.
std::optional<std::vector<TextLine>> readLines(const std::string& file)
{
    FileBytes bytes;
    if (FileReader(file).readAll(bytes) == FileRead::Unreadable)
        return std::nullopt;
    const std::string_view contents = bytes.text();
    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start < contents.size()) {
        const std::size_t end = std::min(contents.find_first_of("\r\n", start), contents.size());
        const std::size_t next = std::min(end + (contents.compare(end, 2, "\r\n") == 0 ? 2 : 1), contents.size());
        lines.push_back({std::string(contents.substr(start, end - start)), std::string(contents.substr(end, next - end))});
        start = next;
    }
    return lines;
}

// Added lines end as the file's first line does, so a file keeps one kind of line end; a file
// with none yet gets the CRLF of the Windows build, which shares these files.
std::string lineEndOf(const std::vector<TextLine>& lines)
{
    return lines.empty() || lines.front().end.empty() ? "\r\n" : lines.front().end;
}

// Where a key lives: the first section of the name, and the first key of the name in it.
struct Position {
    std::optional<std::size_t> section;
    std::optional<std::size_t> key;
    std::size_t sectionEnd = 0;  // after the section's last non-blank line
};

// Takes the names already trimmed, as the names in the file are.
Position locate(const std::vector<TextLine>& lines, const std::string& section, const std::string& key)
{
    Position at;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line line = parse(lines[i].text);
        if (line.kind == Line::Kind::Section) {
            if (inside)
                break;
            if (sameName(line.name, section)) {
                inside = true;
                at.section = i;
                at.sectionEnd = i + 1;
            }
            continue;
        }
        if (!inside)
            continue;
        if (!trimmed(lines[i].text).empty())
            at.sectionEnd = i + 1;
        if (line.kind == Line::Kind::Key && !at.key && sameName(line.name, key))
            at.key = i;
    }
    return at;
}

// Cut to at most `limit` bytes without splitting a UTF-8 character.
std::size_t characterBoundary(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

// Replaces the file as a whole, so a failed write never leaves half a file behind.
bool replaceFile(const std::string& file, const std::string& contents)
{
    char* resolved = realpath(file.c_str(), nullptr);
    const std::string target = resolved ? resolved : file;
    std::free(resolved);
    mode_t mode = 0644;
    if (struct stat existing; stat(target.c_str(), &existing) == 0) {
        // A read-only file stays as it is, whoever we are: the rename below would get round it.
        if ((existing.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)
            return false;
        mode = existing.st_mode & 07777;
    }

    const std::string temporary = target + ".tmp-" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << contents;
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    chmod(temporary.c_str(), mode);
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t size, const std::string& file)
{
    if (size == 0)
        return {};
    std::string value = defaultValue;
    if (const auto lines = readLines(file)) {
        const Position at = locate(*lines, trimmed(section), trimmed(key));
        if (at.key)
            value = unquoted(parse((*lines)[*at.key].text).value);
    }
    // The code page here is UTF-8.
    value.resize(characterBoundary(value, size - 1));
    return value;
}

bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file)
{
    std::optional<std::vector<TextLine>> read = readLines(file);
    if (!read)
        return false;
    std::vector<TextLine>& lines = *read;
    const std::string sectionName = trimmed(section);
    const std::string keyName = trimmed(key);
    const std::string lineEnd = lineEndOf(lines);
    const std::string entry = keyName + "=" + value;
    const Position at = locate(lines, sectionName, keyName);
    if (at.key) {
        lines[*at.key].text = entry;
    } else if (at.section) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at.sectionEnd), {entry, lineEnd});
    } else {
        if (!lines.empty() && !trimmed(lines.back().text).empty())
            lines.push_back({"", lineEnd});
        lines.push_back({"[" + sectionName + "]", lineEnd});
        lines.push_back({entry, lineEnd});
    }
    // Like Windows, the file written ends with a line end.
    std::string contents;
    for (const auto& line : lines)
        contents += line.text + (line.end.empty() ? lineEnd : line.end);
    return replaceFile(file, contents);
}

}  // namespace platform

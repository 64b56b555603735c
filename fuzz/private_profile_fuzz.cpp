// Any bytes as a settings file, with any section, key and value: reading never overruns the
// caller's buffer, a write to an ordinary writable file succeeds, a clean key written reads back
// as written, and writing the same value again changes nothing. The file's text may be repeated
// up to 64 times, for huge files from small inputs.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/private_profile.h"

namespace {

const std::string& settingsFile()
{
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/private-profile-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        return pattern + "/settings.ini";
    }();
    return path;
}

std::string fileText()
{
    std::ifstream in(settingsFile(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool hasAny(const std::string& text, const char* characters)
{
    return text.find_first_of(characters, 0, std::strlen(characters) + 1) != std::string::npos;
}

bool blankAtAnEnd(const std::string& text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

// Names and a value that the file's own syntax can't take for something else.
bool clean(const std::string& section, const std::string& key, const std::string& value)
{
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    // A CR ends a line as LF does, alone or not.
    return !section.empty() && !key.empty() && !hasAny(section, "\r\n]") && !hasAny(key, "\r\n=") && key[0] != ';' &&
           key[0] != '[' && value.find_first_of("\r\n") == std::string::npos && !blankAtAnEnd(section) && !blankAtAnEnd(key) &&
           !blankAtAnEnd(value) && !quoted;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const unsigned copies = 1u << input.ConsumeIntegralInRange(0, 6);
    const std::size_t bufferSize = input.ConsumeIntegralInRange<std::size_t>(1, 300);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(512);
    const std::string body = input.ConsumeRemainingBytesAsString();
    {
        std::ofstream out(settingsFile(), std::ios::binary | std::ios::trunc);
        for (unsigned i = 0; i < copies; ++i)
            out << body;
    }

    if (platform::getPrivateProfileString(section, key, "", bufferSize, settingsFile()).size() >= bufferSize)
        std::abort();

    if (!platform::writePrivateProfileString(section, key, value, settingsFile()))
        std::abort();
    if (!clean(section, key, value))
        return 0;
    if (platform::getPrivateProfileString(section, key, "", value.size() + 1, settingsFile()) != value)
        std::abort();
    const std::string written = fileText();
    if (!platform::writePrivateProfileString(section, key, value, settingsFile()) || fileText() != written)
        std::abort();
    return 0;
}

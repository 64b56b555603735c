// What every system's message box shares: the tests' capture and the message log.
#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/internal/system_message_box.h"

namespace platform {
namespace {

MessageBoxCapture& capture()
{
    static MessageBoxCapture current;
    return current;
}

void appendToLog(const std::string& text, const std::string& caption)
{
    const char* path = std::getenv("HOARVEIL_MESSAGE_LOG");
    if (!path || !*path)
        return;
    std::string line = caption + '\t';
    for (char c : text)
        line += c == '\n' ? std::string("\\n") : std::string(1, c);
    line += '\n';
    if (std::FILE* log = std::fopen(path, "ab")) {
        std::fputs(line.c_str(), log);
        std::fclose(log);
    }
}

}  // namespace

void captureMessageBoxes(MessageBoxCapture function) { capture() = std::move(function); }

void messageBox(NativeWindow owner, const std::string& text, const std::string& caption)
{
    if (capture()) {
        capture()(owner, text, caption);
        return;
    }
    appendToLog(text, caption);
    showSystemMessageBox(owner, text, caption);
}

}  // namespace platform

#pragma once
// ShellExecuteA: a document or address opened by the program the desktop has for it.
#include <cstdint>
#include <string>

#include "platform/native_window.h"

namespace platform {

enum : int { SW_SHOWNORMAL = 1 };
// Results at or below 32 are failures, with Windows' values.
inline constexpr std::intptr_t ERROR_FILE_NOT_FOUND = 2, SE_ERR_NOASSOC = 31;
// What the opener's success is reported as: any value above 32 means success.
inline constexpr std::intptr_t shellExecuteStarted = 42;

// The verb "open" (or none) hands the file to the desktop's opener, xdg-open, started directly
// (never through a shell, so nothing in the text is run as a command) and not waited for.
// Returns a value above 32 once the opener has started.
std::intptr_t shellExecute(NativeWindow owner, const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory, int showCommand);

}  // namespace platform

#pragma once
// What the desktop opens a file or an address with: xdg-open here. Windows has ShellExecuteA
// for it, so this is no part of the process interface.
#include <string>
#include <vector>

namespace platform {

// As startProgram, for a program looked up on PATH by its name, the first of the arguments it
// is given. It lives on after this process, and is reaped once it ends.
int startCommand(const std::vector<std::string>& arguments);

}  // namespace platform

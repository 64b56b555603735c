// The Windows tests' helper, for CTest:
//   wine_harness make-prefix <folder>        makes the run's Wine prefix (the tests' fixture)
//   wine_harness run <program> [arguments]   runs a Windows program in HOARVEIL_WINE_PREFIX,
//                                            its output and exit code passed through; under
//                                            code page 932 when HOARVEIL_WINE_CODE_PAGE is 932
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "tests/support/wine.h"

extern char** environ;

namespace {

[[noreturn]] void runInPrefix(const std::vector<std::string>& arguments)
{
    const auto prefix = testing_support::WinePrefix::current();
    for (const auto& [key, value] : prefix.environment(""))
        setenv(key.c_str(), value.c_str(), 1);
    if (const char* codePage = std::getenv("HOARVEIL_WINE_CODE_PAGE"); codePage && std::string(codePage) == "932")
        for (const auto& [key, value] : prefix.japaneseLocale())
            setenv(key.c_str(), value.c_str(), 1);
    unsetenv("DISPLAY");  // the unit tests need no display and must not find one
    // Nor a sound server: they run as on a machine without a sound card, whatever this one has.
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse", 1);
    std::vector<std::string> argv{"wine"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (auto& argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    execve("/usr/bin/wine", pointers.data(), environ);
    std::perror("wine_harness: /usr/bin/wine");
    std::_Exit(127);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        if (arguments.size() == 2 && arguments[0] == "make-prefix") {
            testing_support::WinePrefix::make(arguments[1]);
            return 0;
        }
        if (arguments.size() >= 2 && arguments[0] == "run")
            runInPrefix({arguments.begin() + 1, arguments.end()});
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wine_harness: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: wine_harness make-prefix <folder> | run <program> [arguments]\n");
    return 2;
}

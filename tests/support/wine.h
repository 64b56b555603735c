#pragma once
// Windows programs under Wine, for the tests of the Windows build.
//
// One Wine prefix serves a whole test run: `wine_harness make-prefix <folder>` makes it (CTest
// runs that once, as the fixture of every Windows test) and HOARVEIL_WINE_PREFIX names it to the
// tests. Windows tests run one at a time: they share the prefix's wineserver, which each test
// shuts down when it ends, so the next one meets none of its windows.
#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/xserver.h"

namespace testing_support {

class WinePrefix {
public:
    // The run's prefix, from HOARVEIL_WINE_PREFIX; throws when there is none.
    static WinePrefix current();
    // Makes a new prefix in the folder (anything there before is removed): a 64-bit Windows,
    // without a window manager's help (so keys go to the focused window and DestroyWindow
    // doesn't stall) and with Wine's own fonts, which a new prefix otherwise lacks.
    static WinePrefix make(const std::string& folder);

    explicit WinePrefix(std::string folder) : root(std::move(folder)) {}
    const std::string& folder() const { return root; }
    // The Linux path of a Windows path on drive C: ("C:\k_varo\a.bmp" or "c:\k_varo\a.bmp").
    std::string linuxPath(const std::string& windowsPath) const;

    // What a program in the prefix runs with; `display` empty for none.
    std::map<std::string, std::string> environment(const std::string& display) const;
    // What makes Wine's system code page 932, Japanese Windows' own, instead of 1252: a Japanese
    // glibc locale, which the prefix keeps compiled in a folder of its own.
    std::map<std::string, std::string> japaneseLocale() const;
    // Starts `wine program arguments...` on the display.
    std::unique_ptr<ChildProcess> start(const std::string& program, const std::vector<std::string>& arguments,
                                        const std::string& display,
                                        const std::map<std::string, std::string>& extra = {}) const;
    // Runs a program to its end; its exit code, or -1 when it did not end within the limit.
    int run(const std::string& program, const std::vector<std::string>& arguments, const std::string& display,
            std::chrono::milliseconds limit = std::chrono::seconds(60)) const;
    // Ends every program of the prefix and its wineserver.
    void shutDown() const;

private:
    std::string root;
};

// What a shell command prints on its standard output.
std::string commandOutput(const std::string& command);

// What objdump reads from a Windows program's headers: its kind, the DLLs and calls it imports.
std::string programHeaders(const std::string& program);

// The DLLs the headers name, in lower case.
std::set<std::string> importedLibraries(const std::string& headers);

struct ScreenSize {
    int width = 0, height = 0;
    bool operator==(const ScreenSize&) const = default;
};

// The screen's present size, as the X server has it (a mode switch changes it).
ScreenSize screenSize(Display* display);

// A private X server for a Windows program, with a 1024 x 768 mode beside its own so that
// ChangeDisplaySettings can really switch (or without it, so that it is refused). When the test
// ends it puts the screen back at its own size, as Wine doesn't when a program dies, and shuts
// the prefix's programs down.
class WineScreen {
public:
    WineScreen(const WinePrefix& prefix, int width, int height, bool with1024x768);
    ~WineScreen();
    WineScreen(const WineScreen&) = delete;
    WineScreen& operator=(const WineScreen&) = delete;

    PrivateXServer& server() { return x; }
    Display* display() const { return x.display(); }
    ScreenSize ownSize() const { return {x.width(), x.height()}; }
    // Ends the prefix's programs and puts the screen back at its own size (also at the end).
    void restore();

private:
    const WinePrefix& prefix;
    PrivateXServer x;
};

}  // namespace testing_support

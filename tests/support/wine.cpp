#include "tests/support/wine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace testing_support {
namespace {

namespace fs = std::filesystem;

int runToEnd(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment,
             std::chrono::milliseconds limit)
{
    ChildProcess process(argv, environment);
    const auto code = process.waitForExit(limit);
    return code ? *code : -1;
}

void mustRun(const std::vector<std::string>& argv, const std::map<std::string, std::string>& environment)
{
    if (runToEnd(argv, environment, std::chrono::minutes(3)) != 0)
        throw std::runtime_error(argv.front() + " " + argv.at(1) + " failed");
}

}  // namespace

WinePrefix WinePrefix::current()
{
    const char* folder = std::getenv("HOARVEIL_WINE_PREFIX");
    if (!folder || !*folder)
        throw std::runtime_error("HOARVEIL_WINE_PREFIX names no Wine prefix");
    return WinePrefix(folder);
}

WinePrefix WinePrefix::make(const std::string& folder)
{
    fs::remove_all(folder);
    fs::create_directories(fs::path(folder) / "home");
    WinePrefix prefix(fs::absolute(folder).string());
    const auto environment = prefix.environment("");
    mustRun({"/usr/bin/wineboot", "--init"}, environment);
    mustRun({"/usr/bin/wineserver", "-w"}, environment);
    mustRun({"/usr/bin/wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"},
            environment);
    mustRun({"/usr/bin/wineserver", "-w"}, environment);
    // Windows carries a Japanese face and links its interface font to it, so Japanese in a
    // message box reads under any locale; the prefix has it as an IPA font of this machine.
    mustRun({"/usr/bin/wine", "reg", "add", "HKCU\\Software\\Wine\\Fonts\\Replacements", "/v", "MS UI Gothic", "/d",
             "IPAPGothic", "/f"},
            environment);
    mustRun({"/usr/bin/wineserver", "-w"}, environment);
    const fs::path fonts = fs::path(prefix.folder()) / "drive_c/windows/Fonts";
    fs::create_directories(fonts);
    for (const auto& font : fs::directory_iterator("/usr/share/wine/fonts"))
        fs::copy_file(font.path(), fonts / font.path().filename(), fs::copy_options::overwrite_existing);
    // The machine need not have the locale installed: -c writes it despite glibc's warnings.
    fs::create_directories(fs::path(prefix.folder()) / "locale");
    mustRun({"/usr/bin/localedef", "-c", "-i", "ja_JP", "-f", "UTF-8", prefix.folder() + "/locale/ja_JP.UTF-8"}, {});
    return prefix;
}

std::string WinePrefix::linuxPath(const std::string& windowsPath) const
{
    std::string relative = windowsPath.substr(windowsPath.find(':') + 1);
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    return root + "/drive_c" + relative;
}

std::map<std::string, std::string> WinePrefix::environment(const std::string& display) const
{
    return {
        {"WINEPREFIX", root},
        {"WINEARCH", "win64"},
        {"HOME", root + "/home"},
        {"WINEDEBUG", "-all"},  // also quiets Debian's hint that the 32-bit Wine is missing
        {"WINEDLLOVERRIDES", "mscoree,mshtml="},  // no offer to install .NET or Gecko
        {"DISPLAY", display},
    };
}

std::map<std::string, std::string> WinePrefix::japaneseLocale() const
{
    return {{"LOCPATH", root + "/locale"}, {"LANG", "ja_JP.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}};
}

std::unique_ptr<ChildProcess> WinePrefix::start(const std::string& program, const std::vector<std::string>& arguments,
                                                const std::string& display,
                                                const std::map<std::string, std::string>& extra) const
{
    std::vector<std::string> argv{"/usr/bin/wine", program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    auto environment = this->environment(display);
    for (const auto& [key, value] : extra)
        environment[key] = value;
    return std::make_unique<ChildProcess>(argv, environment);
}

int WinePrefix::run(const std::string& program, const std::vector<std::string>& arguments, const std::string& display,
                    std::chrono::milliseconds limit) const
{
    const auto process = start(program, arguments, display);
    const auto code = process->waitForExit(limit);
    return code ? *code : -1;
}

void WinePrefix::shutDown() const
{
    runToEnd({"/usr/bin/wineserver", "-k"}, environment(""), std::chrono::seconds(30));
    runToEnd({"/usr/bin/wineserver", "-w"}, environment(""), std::chrono::seconds(30));
}

std::string commandOutput(const std::string& command)
{
    std::string text;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, got);
        ::pclose(pipe);
    }
    return text;
}

std::string programHeaders(const std::string& program)
{
    return commandOutput("x86_64-w64-mingw32-objdump -p '" + program + "'");
}

std::set<std::string> importedLibraries(const std::string& headers)
{
    std::set<std::string> imported;
    std::istringstream lines(headers);
    for (std::string line; std::getline(lines, line);)
        if (const auto at = line.find("DLL Name: "); at != std::string::npos) {
            std::string name = line.substr(at + 10);
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
            imported.insert(name);
        }
    return imported;
}

ScreenSize screenSize(Display* display)
{
    ::Window root;
    int x, y;
    unsigned width = 0, height = 0, border, depth;
    XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height, &border, &depth);
    return {int(width), int(height)};
}

namespace {

int xrandr(const std::string& display, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "/usr/bin/xrandr");
    return runToEnd(arguments, {{"DISPLAY", display}}, std::chrono::seconds(30));
}

}  // namespace

WineScreen::WineScreen(const WinePrefix& prefix, int width, int height, bool with1024x768)
    : prefix(prefix), x(width, height)
{
    if (!with1024x768 || (width == 1024 && height == 768))
        return;
    // The timings of a 60 Hz mode; Xvfb shows any mode no larger than its screen.
    if (xrandr(x.name(), {"--newmode", "1024x768", "63.50", "1024", "1072", "1176", "1328", "768", "771", "775",
                          "798", "-hsync", "+vsync"}) != 0 ||
        xrandr(x.name(), {"--addmode", "screen", "1024x768"}) != 0)
        throw std::runtime_error("cannot add the 1024 x 768 mode");
}

WineScreen::~WineScreen() { restore(); }

void WineScreen::restore()
{
    prefix.shutDown();
    if (screenSize(x.display()) != ownSize())
        xrandr(x.name(), {"-s", std::to_string(x.width()) + "x" + std::to_string(x.height())});
}

}  // namespace testing_support

// The saver's platform calls, from a Windows program the tests start:
//   HOARVEIL_PROBE_OUTPUT=<file> platform_probe <anything>   writes commandText() into the file
//   platform_probe capture <width> <height> <file>          the screen's top-left area as RGB rows
//   platform_probe find-window <title>                      exit code 0 when findWindow finds it
//   platform_probe pointer <file>                           getCursorPos's "x y" into the file
//   platform_probe window-at <x> <y> <title>                exit code 0 when windowFromPoint gives
//                                                           a window of the top-level one titled
//   platform_probe open <file>                              exit code 0 when shellExecute opened it
//   platform_probe choose <folder> <file>                   the chooser, titled "Choose music",
//                                                           from the folder; its answer into the file
//   platform_probe start <program> <file>                   startProgram's process id into the
//                                                           file, then waits to be ended
//   HOARVEIL_PROBE_LINGER=1 platform_probe                  waits to be ended: a program started
//                                                           without arguments that runs on
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/desktop_capture.h"
#include "platform/file_chooser.h"
#include "platform/native_window.h"
#include "platform/pointer.h"
#include "platform/process.h"
#include "platform/shell_execute.h"

#include <windows.h>

int main(int argc, char** argv)
{
    if (const char* output = std::getenv("HOARVEIL_PROBE_OUTPUT")) {
        std::ofstream(output, std::ios::binary) << platform::commandText();
        return 0;
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty() && std::getenv("HOARVEIL_PROBE_LINGER"))
        Sleep(INFINITE);
    if (arguments.size() == 3 && arguments[0] == "start") {
        const int started = platform::startProgram(arguments[1]);
        std::ofstream(arguments[2]) << started;
        if (!started)
            return 1;
        Sleep(INFINITE);
    }
    if (arguments.size() == 4 && arguments[0] == "capture") {
        const int width = std::atoi(arguments[1].c_str()), height = std::atoi(arguments[2].c_str());
        std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
        if (!platform::copyScreenArea(0, 0, width, height, rgb.data()))
            return 1;
        std::ofstream(arguments[3], std::ios::binary).write(reinterpret_cast<const char*>(rgb.data()), rgb.size());
        return 0;
    }
    if (arguments.size() == 2 && arguments[0] == "find-window")
        return platform::findWindow(arguments[1]) != 0 ? 0 : 1;
    if (arguments.size() == 2 && arguments[0] == "pointer") {
        platform::Point point;
        if (!platform::getCursorPos(point))
            return 1;
        std::ofstream(arguments[1]) << point.x << ' ' << point.y;
        return 0;
    }
    if (arguments.size() == 4 && arguments[0] == "window-at") {
        const platform::Point point{std::atoi(arguments[1].c_str()), std::atoi(arguments[2].c_str())};
        const auto window = reinterpret_cast<HWND>(platform::windowFromPoint(point));
        const auto topLevel = reinterpret_cast<HWND>(platform::findWindow(arguments[3]));
        return window && topLevel && GetAncestor(window, GA_ROOT) == topLevel ? 0 : 1;
    }
    if (arguments.size() == 3 && arguments[0] == "choose") {
        platform::OpenFileName request;
        request.filter = std::string("Music\0*.MP3;*.WAV\0", 18);
        request.initialDir = arguments[1];
        request.title = "Choose music";
        if (!platform::getOpenFileName(request))
            return 1;
        std::ofstream(arguments[2], std::ios::binary) << request.file << '\n' << request.fileTitle;
        return 0;
    }
    if (arguments.size() == 2 && arguments[0] == "open")
        return platform::shellExecute(0, "open", arguments[1], "", "", SW_SHOWNORMAL) > 32 ? 0 : 1;
    return 2;
}

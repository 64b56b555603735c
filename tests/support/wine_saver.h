#pragma once
// The Windows screen saver as a user installs it in the run's Wine prefix: Hoarveil.scr and
// Hoarveil.dll in one folder of drive C:, its settings file beside them.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/wine.h"

namespace testing_support {

class WindowsSaver {
public:
    static constexpr const char* defaultFolder = "C:\\hoarveil";

    // Copies the programs from the Windows build's folder into a fresh install folder on drive C:
    // (the renderer only when asked) and removes what an earlier show left in C:\k_varo.
    WindowsSaver(const WinePrefix& prefix, const std::string& windowsBuild, bool withRenderer = true,
                 std::string folder = defaultFolder);

    // The Linux path of a file of the install folder.
    std::string installed(const std::string& name) const;
    // The Linux path of a file of the bitmap folder, C:\k_varo.
    std::string bitmap(const std::string& name) const;

    // `wine <folder>\Hoarveil.scr arguments...`, tracing its stages to its error output.
    std::unique_ptr<ChildProcess> start(const std::vector<std::string>& arguments, const std::string& display,
                                        const std::map<std::string, std::string>& extra = {}) const;

    // The renderer's processes, by the path Wine runs it under.
    static std::vector<pid_t> rendererProcesses();

private:
    const WinePrefix& prefix;
    std::string installFolder;
};

}  // namespace testing_support

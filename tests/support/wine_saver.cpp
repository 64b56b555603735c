#include "tests/support/wine_saver.h"

#include <filesystem>

#include "tests/support/process_census.h"

namespace testing_support {

namespace fs = std::filesystem;

WindowsSaver::WindowsSaver(const WinePrefix& prefix, const std::string& windowsBuild, bool withRenderer,
                           std::string folder)
    : prefix(prefix), installFolder(std::move(folder))
{
    const fs::path install = prefix.linuxPath(installFolder);
    fs::remove_all(install);
    fs::remove_all(prefix.linuxPath("C:\\k_varo"));
    fs::create_directories(install);
    fs::copy_file(windowsBuild + "/Hoarveil.scr", install / "Hoarveil.scr");
    if (withRenderer)
        fs::copy_file(windowsBuild + "/Hoarveil.dll", install / "Hoarveil.dll");
}

std::string WindowsSaver::installed(const std::string& name) const
{
    return prefix.linuxPath(installFolder + "\\" + name);
}

std::string WindowsSaver::bitmap(const std::string& name) const { return prefix.linuxPath("C:\\k_varo\\" + name); }

std::unique_ptr<ChildProcess> WindowsSaver::start(const std::vector<std::string>& arguments, const std::string& display,
                                                  const std::map<std::string, std::string>& extra) const
{
    auto environment = extra;
    environment.emplace("HOARVEIL_TRACE", "1");
    return prefix.start(installFolder + "\\Hoarveil.scr", arguments, display, environment);
}

std::vector<pid_t> WindowsSaver::rendererProcesses() { return processesWithCommandLine("\\Hoarveil.dll"); }

}  // namespace testing_support

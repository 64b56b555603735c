#pragma once
// What the show's end-to-end tests share: the saver started as a screen-saver host starts it,
// in a home of its own, and ways to look at what it left behind.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/saver/show/show_evidence.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

namespace testing_support {

namespace fs = std::filesystem;

inline const std::string programFolder = HOARVEIL_PROGRAM_DIR;
inline const std::string assetsFolder = HOARVEIL_ASSETS_DIR;

// The processes whose parent is the given one.
inline std::vector<pid_t> childrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const auto close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        int pid = 0, ppid = 0;
        char state = 0;
        if (sscanf(text.c_str(), "%d", &pid) == 1 && sscanf(text.c_str() + close + 1, " %c %d", &state, &ppid) == 2 &&
            ppid == parent && state != 'Z')
            children.push_back(pid);
    }
    return children;
}

class Show : public ::testing::Test {
protected:
    Show() : runtime(home.path() + "/run")
    {
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }

    void furnishDesktop(PrivateXServer& server) { testing_support::furnishDesktop(server.display()); }

    // `changes` add to the saver's environment or replace what it would get.
    std::unique_ptr<ChildProcess> startSaver(PrivateXServer& server, std::vector<std::string> arguments,
                                             const std::string& folder = programFolder,
                                             const std::map<std::string, std::string>& changes = {})
    {
        arguments.insert(arguments.begin(), folder + "/Hoarveil.scr");
        std::map<std::string, std::string> environment{{"DISPLAY", server.name()},
                                                       {"HOME", home.path()},
                                                       {"XDG_RUNTIME_DIR", runtime},
                                                       {"XDG_CONFIG_HOME", home.path() + "/config"},
                                                       {"HOARVEIL_TRACE", "1"}};
        for (const auto& [name, value] : changes)
            environment[name] = value;
        return std::make_unique<ChildProcess>(arguments, environment);
    }

    // The saver copied into a folder of its own, with the real renderer beside it unless the
    // test puts something else there; its settings file is then the folder's own.
    std::string installSaver(bool withRenderer = true)
    {
        fs::copy_file(programFolder + "/Hoarveil.scr", install.path() + "/Hoarveil.scr");
        if (withRenderer)
            fs::create_symlink(programFolder + "/Hoarveil.dll", install.path() + "/Hoarveil.dll");
        return install.path();
    }

    static bool rendererUp(PrivateXServer& server) { return findWindowByTitle(server.display(), "Hoarveil_VC") != 0; }

    std::string bitmap(const char* name) const { return runtime + "/k_varo/" + name; }

    TempFolder home;
    TempFolder install;
    std::string runtime;
};

}  // namespace testing_support

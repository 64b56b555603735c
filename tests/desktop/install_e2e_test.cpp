// Hoarveil installed as a user installs it: `cmake --install` into a prefix, and the .deb that
// `make package` builds, unpacked into a folder. The files a desktop reads pass the desktop's
// own checks, and the installed command runs the show.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <algorithm>
#include <iterator>

#include "tests/support/child_process.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string buildFolder = HOARVEIL_BUILD_DIR;
const std::string cmake = HOARVEIL_CMAKE_COMMAND;
const std::string cpack = HOARVEIL_CPACK_COMMAND;
const std::string dialogIcon = HOARVEIL_DIALOG_ICON;

struct Result {
    int exitCode = -1;
    std::string output;  // standard output and error together
};

Result run(const std::string& command)
{
    Result result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string shellWord(const std::string& text) { return "'" + text + "'"; }

// The installed command runs the show in a private X server, and Esc ends it.
void expectTheShowRuns(const std::string& command, const std::string& home)
{
    PrivateXServer server;
    ChildProcess show({command, "/s"}, {{"DISPLAY", server.name()},
                                        {"HOME", home},
                                        {"XDG_RUNTIME_DIR", home},
                                        {"XDG_CONFIG_HOME", home + "/config"}});
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(server.display(), "Hoarveil_VC") != 0; }, 15s))
        << show.errorOutput();
    pressKey(server.display(), "Escape");
    EXPECT_EQ(show.waitForExit(10s), 0) << show.errorOutput();
}

TEST(Install, PutsThePairSideBySideWithItsCommandEntriesIdleStartAndManual)
{
    const TempFolder folder;
    const std::string prefix = folder.path() + "/prefix";
    const Result install = run(shellWord(cmake) + " --install " + shellWord(buildFolder) + " --prefix " + shellWord(prefix));
    ASSERT_EQ(install.exitCode, 0) << install.output;

    const std::string programs = prefix + "/lib/hoarveil";
    EXPECT_TRUE(fs::exists(programs + "/Hoarveil.scr"));
    EXPECT_TRUE(fs::exists(programs + "/Hoarveil.dll"));
    ASSERT_TRUE(fs::is_symlink(prefix + "/bin/hoarveil"));
    EXPECT_EQ(fs::canonical(prefix + "/bin/hoarveil"), fs::canonical(programs + "/Hoarveil.scr"));

    const std::string applications = prefix + "/share/applications";
    const std::string autostart = prefix + "/share/hoarveil/hoarveil-idle.desktop";
    const Result entries = run("desktop-file-validate " + shellWord(applications + "/hoarveil.desktop") + " " +
                               shellWord(applications + "/hoarveil-settings.desktop") + " " + shellWord(autostart));
    EXPECT_EQ(entries.exitCode, 0) << entries.output;
    EXPECT_EQ(entries.output, "");
    const std::string settings = fileText(applications + "/hoarveil-settings.desktop");
    EXPECT_NE(settings.find("\nName=Hoarveil settings\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\nExec=hoarveil /c\n"), std::string::npos) << settings;

    // Both entries show the program's icon: the settings dialog's own picture, in the hicolor
    // theme at each of its usual sizes.
    for (const std::string entry : {"hoarveil.desktop", "hoarveil-settings.desktop"})
        EXPECT_NE(fileText(applications + "/" + entry).find("\nIcon=hoarveil\n"), std::string::npos) << entry;
    const auto themeIcon = [&](int size) {
        const std::string pixels = std::to_string(size) + "x" + std::to_string(size);
        return prefix + "/share/icons/hicolor/" + pixels + "/apps/hoarveil.png";
    };
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const Result picture = run("identify -format '%m %wx%h' " + shellWord(themeIcon(size)));
        EXPECT_EQ(picture.output, "PNG " + std::to_string(size) + "x" + std::to_string(size)) << size;
    }
    const Result differing = run("compare -metric AE " + shellWord(dialogIcon) + " " + shellWord(themeIcon(32)) + " null:");
    EXPECT_EQ(differing.output, "0") << "pixels of the 32-pixel icon that differ from the dialog's";

    // The idle start names the installed command, and is not turned on by installing it.
    const std::string unit = prefix + "/lib/systemd/user/hoarveil-idle.service";
    const std::string idleStart = "xss-lock --ignore-sleep -- " + prefix + "/bin/hoarveil /s\n";
    EXPECT_NE(fileText(unit).find(idleStart), std::string::npos) << fileText(unit);
    EXPECT_NE(fileText(autostart).find(idleStart), std::string::npos) << fileText(autostart);
    EXPECT_FALSE(fs::exists(prefix + "/etc"));
    const std::string runtime = folder.path() + "/run";
    fs::create_directory(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    const Result verify = run("XDG_RUNTIME_DIR=" + shellWord(runtime) + " MANPATH=" + shellWord(prefix + "/share/man") +
                              " systemd-analyze --user verify " + shellWord(unit));
    EXPECT_EQ(verify.exitCode, 0) << verify.output;

    const Result manual = run("MANWIDTH=80 man --warnings -l " + shellWord(prefix + "/share/man/man1/hoarveil.1.gz"));
    EXPECT_EQ(manual.exitCode, 0) << manual.output;
    for (const char* part : {"SYNOPSIS", "OPTIONS", "IDLE START", "FILES", "systemctl --user enable --now",
                             "xset s 600 0", "hoarveil/Hoarveil.ini"})
        EXPECT_NE(manual.output.find(part), std::string::npos) << part << "\n" << manual.output;
    EXPECT_EQ(manual.output.find("warning"), std::string::npos) << manual.output;

    const auto installedFiles = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(programs))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    };
    const auto before = installedFiles();
    expectTheShowRuns(prefix + "/bin/hoarveil", folder.path());
    EXPECT_EQ(installedFiles(), before) << "nothing is written into the install folder";
}

TEST(Package, DebianPackageNamesItsNeedsPassesLintianAndRunsUnpacked)
{
    const TempFolder folder;
    const Result build = run("cd " + shellWord(buildFolder) + " && " + shellWord(cpack) + " -G DEB -B " +
                             shellWord(folder.path()));
    ASSERT_EQ(build.exitCode, 0) << build.output;
    std::string package;
    for (const auto& entry : fs::directory_iterator(folder.path()))
        if (entry.path().extension() == ".deb")
            package = entry.path();
    ASSERT_FALSE(package.empty()) << build.output;

    // What the programs link against, found by dpkg-shlibdeps, and the idle watcher.
    const Result depends = run("dpkg-deb -f " + shellWord(package) + " Depends");
    for (const char* library : {"libc6", "libstdc++6", "libx11-6", "libfltk1.3", "libsdl2-mixer-2.0-0", "libcdio19"})
        EXPECT_NE(depends.output.find(library), std::string::npos) << library << " in " << depends.output;
    EXPECT_EQ(run("dpkg-deb -f " + shellWord(package) + " Recommends").output, "xss-lock\n");

    // With its notes (-I): none of them about the icon, its absence from an entry among them.
    const Result lintian = run("lintian -I " + shellWord(package));
    EXPECT_EQ(lintian.exitCode, 0) << lintian.output;
    EXPECT_EQ(lintian.output.find("\nE: "), std::string::npos) << lintian.output;
    EXPECT_NE(lintian.output.rfind("E: ", 0), 0u) << lintian.output;
    EXPECT_EQ(lintian.output.find("icon"), std::string::npos) << lintian.output;

    const std::string unpacked = folder.path() + "/unpacked";
    const Result extract = run("dpkg-deb -x " + shellWord(package) + " " + shellWord(unpacked));
    ASSERT_EQ(extract.exitCode, 0) << extract.output;
    expectTheShowRuns(unpacked + "/usr/bin/hoarveil", folder.path());
}

}  // namespace

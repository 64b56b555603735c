// A show ended from outside, as idle watchers end it: a signal to the saver, to the renderer,
// or the saver killed outright. Whatever the way and whenever it comes, the show ends in order
// and nothing of ours is left behind: no process, no window.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/child_process.h"
#include "tests/support/process_census.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;

namespace {

const std::string programFolder = HOARVEIL_PROGRAM_DIR;

struct Signal {
    int number;
    const char* name;
};
const Signal endSignals[] = {{SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};

bool traced(const ChildProcess& program, const std::string& name, const std::string& stage)
{
    std::istringstream lines(program.errorOutput());
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("hoarveil-trace " + name + " ", 0) == 0 && line.find(stage) != std::string::npos)
            return true;
    return false;
}

class EndFromOutside : public ::testing::Test {
protected:
    // Every process started here carries the marker, so one left behind is found wherever it went.
    std::unique_ptr<ChildProcess> start(PrivateXServer& server, const std::string& program,
                                        const std::vector<std::string>& arguments = {})
    {
        std::vector<std::string> argv{programFolder + "/" + program};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return std::make_unique<ChildProcess>(argv, std::map<std::string, std::string>{
                                                        {"DISPLAY", server.name()},
                                                        {"HOME", home.path()},
                                                        {"XDG_RUNTIME_DIR", home.path()},
                                                        {"XDG_CONFIG_HOME", home.path() + "/config"},
                                                        {"HOARVEIL_TRACE", "1"},
                                                        {"HOARVEIL_TEST_RUN", home.path()}});
    }

    bool nothingOfOursLeft(PrivateXServer& server)
    {
        return waitUntil([&] {
            return processesWithEnvironment("HOARVEIL_TEST_RUN=" + home.path()).empty() &&
                   findWindowByTitle(server.display(), "Hoarveil_VC") == 0 &&
                   findWindowByTitle(server.display(), "Hoarveil_Main") == 0;
        }, 10s);
    }

    static bool rendererUp(PrivateXServer& server) { return findWindowByTitle(server.display(), "Hoarveil_VC") != 0; }

    TempFolder home;
};

TEST_F(EndFromOutside, EachSignalToTheSaverWhileTheShowRunsEndsItInOrder)
{
    PrivateXServer server;
    for (const Signal& signal : endSignals) {
        SCOPED_TRACE(signal.name);
        auto saver = start(server, "Hoarveil.scr", {"/s"});
        ASSERT_TRUE(waitUntil([&] { return rendererUp(server) && traced(*saver, "Hoarveil.dll", "first frame"); },
                              15s))
            << saver->errorOutput();
        auto renderers = processesWithEnvironment("HOARVEIL_TEST_RUN=" + home.path());
        std::erase(renderers, saver->pid());
        ASSERT_EQ(renderers.size(), 1u);
        saver->signal(signal.number);
        EXPECT_EQ(saver->waitForExit(5s), 0) << saver->errorOutput();
        // An idle watcher takes the saver's end for the display's return: by then the renderer
        // has ended and its saver has reaped it, not left it for the system to reap.
        EXPECT_TRUE(kill(renderers.front(), 0) == -1 && errno == ESRCH) << "the renderer outlived its saver";
        EXPECT_TRUE(traced(*saver, "Hoarveil.scr", "cursor shown")) << saver->errorOutput();
        EXPECT_TRUE(nothingOfOursLeft(server));
        // The renderer was asked to close and closed in order, handing its cursor back.
        EXPECT_TRUE(traced(*saver, "Hoarveil.dll", "cursor shown")) << saver->errorOutput();
    }
}

TEST_F(EndFromOutside, EachSignalToTheSaverAtStartUpLeavesNothingBehind)
{
    PrivateXServer server;
    for (const Signal& signal : endSignals) {
        SCOPED_TRACE(signal.name);
        auto saver = start(server, "Hoarveil.scr", {"/s"});
        ASSERT_TRUE(waitUntil([&] { return traced(*saver, "Hoarveil.scr", "started"); }, 10s));
        saver->signal(signal.number);
        EXPECT_EQ(saver->waitForExit(10s), 0) << saver->errorOutput();
        EXPECT_TRUE(nothingOfOursLeft(server)) << saver->errorOutput();
    }
}

TEST_F(EndFromOutside, SaverKilledOutrightTakesItsRendererWithIt)
{
    PrivateXServer server;
    auto saver = start(server, "Hoarveil.scr", {"/s"});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(server); }, 15s)) << saver->errorOutput();
    saver->signal(SIGKILL);
    EXPECT_EQ(saver->waitForExit(5s), 128 + SIGKILL);
    EXPECT_TRUE(nothingOfOursLeft(server));
    EXPECT_TRUE(traced(*saver, "Hoarveil.dll", "cursor shown")) << "the renderer ended in order";
}

TEST_F(EndFromOutside, EachSignalToTheRendererEndsItInOrder)
{
    PrivateXServer server;
    for (const Signal& signal : endSignals)
        for (const char* moment : {"started", "first frame"}) {
            SCOPED_TRACE(std::string(signal.name) + " at " + moment);
            auto renderer = start(server, "Hoarveil.dll");
            ASSERT_TRUE(waitUntil([&] { return traced(*renderer, "Hoarveil.dll", moment); }, 15s));
            renderer->signal(signal.number);
            EXPECT_EQ(renderer->waitForExit(10s), 0) << renderer->errorOutput();
            EXPECT_TRUE(traced(*renderer, "Hoarveil.dll", "cursor shown")) << renderer->errorOutput();
            EXPECT_TRUE(nothingOfOursLeft(server));
        }
}

TEST_F(EndFromOutside, SignalToTheSettingsOrThePreviewEndsThemToo)
{
    PrivateXServer server;
    Display* d = server.display();
    const ::Window host = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 152, 112, 0, 0, 0);
    XMapWindow(d, host);
    XSync(d, False);
    const struct {
        std::vector<std::string> arguments;
        const char* title;
    } modes[] = {{{"/c"}, "<Hoarveil>"}, {{"/p", std::to_string(host)}, "Preview Window"}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.title);
        auto saver = start(server, "Hoarveil.scr", mode.arguments);
        ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(d, mode.title) != 0; }, 15s)) << saver->errorOutput();
        saver->signal(SIGTERM);
        EXPECT_EQ(saver->waitForExit(5s), 0) << saver->errorOutput();
        EXPECT_EQ(findWindowByTitle(d, mode.title), 0u);
    }
}

TEST_F(EndFromOutside, RendererWaitingOnItsMessageBoxStillEndsOnASignal)
{
    // An empty flake picture: the renderer stops at start-up to say so.
    std::filesystem::create_directory(home.path() + "/k_varo");
    std::ofstream(home.path() + "/k_varo/Hoarveil2.bmp");
    PrivateXServer server;
    auto renderer = start(server, "Hoarveil.dll");
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(server.display(), "Error") != 0; }, 15s))
        << renderer->errorOutput();
    renderer->signal(SIGTERM);
    EXPECT_EQ(renderer->waitForExit(10s), 0) << renderer->errorOutput();
    EXPECT_EQ(findWindowByTitle(server.display(), "Error"), 0u);
    EXPECT_TRUE(nothingOfOursLeft(server));
}

}  // namespace

// Shows ended by force, at random moments of start-up and of the running show: signals to the
// renderer or the saver, and the X server going away. Nothing crashes; whatever lives on gives
// back what it held; a saver whose renderer is gone is gone within a second.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <signal.h>

#include <random>
#include <thread>

#include "tests/saver/show/show_fixture.h"

using namespace testing_support;

namespace {

bool crashed(int code)
{
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        if (code == 128 + signal)
            return true;
    return false;
}

// Gone, or left as a zombie for a parent to reap.
bool processGone(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    return close == std::string::npos || text.compare(close, 4, ") Z ") == 0;
}

class ForcedEnding : public Show {
protected:
    // A moment in the first 1.2 s of a show: start-up takes about half a second here.
    std::chrono::milliseconds randomMoment() { return std::chrono::milliseconds(moments(random)); }

    // The renderer the saver started, as soon as it exists.
    pid_t waitForRenderer(ChildProcess& saver)
    {
        std::vector<pid_t> children;
        waitUntil([&] { return !(children = childrenOf(saver.pid())).empty(); }, 10s);
        return children.empty() ? 0 : children.front();
    }

    // The server's screen saver, set to a second and not blanking, works again: nobody holds
    // it off any more. The user then comes back for the next round.
    void expectServerScreenSaverBack(PrivateXServer& server)
    {
        Display* d = server.display();
        EXPECT_TRUE(waitUntil([&] { return server.screenSaverState() == ScreenSaverOn; }, 5s));
        movePointer(d, corner, corner);
        corner = 10 - corner;
        EXPECT_TRUE(waitUntil([&] { return server.screenSaverState() == ScreenSaverOff; }, 5s));
    }

    const unsigned seed = std::random_device{}();
    std::mt19937 random{seed};
    std::uniform_int_distribution<int> moments{0, 1200};
    int corner = 0;
};

TEST_F(ForcedEnding, RendererSignalledAtAnyMomentEndsTheSaverWithinASecond)
{
    SCOPED_TRACE("seed " + std::to_string(seed));
    PrivateXServer server;
    XSetScreenSaver(server.display(), 1, 0, DontPreferBlanking, AllowExposures);
    for (int signal : {SIGTERM, SIGKILL, SIGTERM, SIGKILL}) {
        auto saver = startSaver(server, {"/s"});
        const pid_t renderer = waitForRenderer(*saver);
        ASSERT_NE(renderer, 0) << saver->errorOutput();
        const auto moment = randomMoment();
        SCOPED_TRACE(std::string(strsignal(signal)) + " after " + std::to_string(moment.count()) + " ms");
        std::this_thread::sleep_for(moment);
        kill(renderer, signal);
        ASSERT_TRUE(waitUntil([&] { return processGone(renderer); }, 5s));
        // The watch ticks every 500 ms; the rest is slack for a loaded machine.
        EXPECT_EQ(saver->waitForExit(1500ms), 0) << saver->errorOutput();
        EXPECT_EQ(countLines(saver->errorOutput(), "Hoarveil.scr", "cursor shown"), 1) << saver->errorOutput();
        EXPECT_EQ(findWindowByTitle(server.display(), "Hoarveil_VC"), 0u);
        expectServerScreenSaverBack(server);
    }
}

TEST_F(ForcedEnding, SaverSignalledAtAnyMomentNeverCrashes)
{
    SCOPED_TRACE("seed " + std::to_string(seed));
    PrivateXServer server;
    XSetScreenSaver(server.display(), 1, 0, DontPreferBlanking, AllowExposures);
    for (int round = 0; round < 3; ++round) {
        auto saver = startSaver(server, {"/s"});
        const pid_t renderer = waitForRenderer(*saver);
        const auto moment = randomMoment();
        SCOPED_TRACE("after " + std::to_string(moment.count()) + " ms");
        std::this_thread::sleep_for(moment);
        saver->signal(SIGTERM);
        const auto code = saver->waitForExit(5s);
        ASSERT_TRUE(code.has_value());
        EXPECT_TRUE(*code == 0 || *code == 128 + SIGTERM) << *code;
        // A renderer outliving its saver is not this test's business: it goes before the next round.
        if (renderer && !processGone(renderer))
            kill(renderer, SIGKILL);
        ASSERT_TRUE(!renderer || waitUntil([&] { return processGone(renderer); }, 5s));
        expectServerScreenSaverBack(server);
    }
}

TEST_F(ForcedEnding, XServerGoingAwayMidShowEndsBothProgramsWithoutACrash)
{
    auto server = std::make_unique<PrivateXServer>();
    auto saver = startSaver(*server, {"/s"});
    ASSERT_TRUE(waitUntil([&] { return rendererUp(*server); }, 15s)) << saver->errorOutput();
    const pid_t renderer = waitForRenderer(*saver);
    server.reset();
    const auto code = saver->waitForExit(5s);
    ASSERT_TRUE(code.has_value());
    EXPECT_FALSE(crashed(*code)) << *code << saver->errorOutput();
    // The renderer alone on a lost connection is the renderer tests' business.
    EXPECT_TRUE(waitUntil([&] { return processGone(renderer); }, 5s));
}

}  // namespace

// A message box with no owner, in a program without a full-screen window: centred on the
// screen, answered with a key or a click, under a window manager too.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <unistd.h>

#include <thread>

#include "tests/support/child_process.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;

namespace {

TEST(OwnerlessMessageBox, IsCentredAndAnsweredByKeyOrClick)
{
    for (const std::string answer : {"Return", "click"}) {
        PrivateXServer server;
        ChildProcess program({SHOW_MESSAGE_BOX_PATH, "Hoarveil.dll is missing."}, {{"DISPLAY", server.name()}});
        Display* d = server.display();
        ::Window box = 0;
        ASSERT_TRUE(waitUntil([&] { return (box = findWindowByTitle(d, "Error")) != 0; }, 10s))
            << program.errorOutput();
        XWindowAttributes attributes{};
        XGetWindowAttributes(d, box, &attributes);
        EXPECT_NEAR(attributes.x + attributes.width / 2, 512, 2);
        EXPECT_NEAR(attributes.y + attributes.height / 2, 384, 2);
        std::this_thread::sleep_for(300ms);  // drawn and holding the keyboard
        if (answer == "click")
            click(d, attributes.x + attributes.width / 2, attributes.y + attributes.height - 30);
        else
            pressKey(d, answer);
        EXPECT_EQ(program.waitForExit(5s), 0) << "answered by " << answer;
    }
}

TEST(OwnerlessMessageBox, UnderAWindowManagerTheKeyboardReachesIt)
{
    const char* manager = "/usr/bin/twm";
    if (::access(manager, X_OK) != 0)
        GTEST_SKIP() << "twm is not installed (scripts/install-deps installs it)";
    PrivateXServer server;
    ChildProcess windowManager({manager}, {{"DISPLAY", server.name()}, {"LC_ALL", "C"}});
    std::this_thread::sleep_for(500ms);
    ChildProcess program({SHOW_MESSAGE_BOX_PATH, "Hoarveil.dll is missing."}, {{"DISPLAY", server.name()}});
    ASSERT_TRUE(waitUntil([&] { return findWindowByTitle(server.display(), "Error") != 0; }, 10s));
    std::this_thread::sleep_for(300ms);
    pressKey(server.display(), "space");
    EXPECT_EQ(program.waitForExit(5s), 0);
}

}  // namespace

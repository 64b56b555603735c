// The preview in a host window of another DPI awareness than the saver's, under Wine: the
// display properties of one Windows version are per-monitor aware, an older control panel is
// not, and the saver may be either. The preview must still become the host's child at the
// host's size. (Wine 8 lets any two windows be parented and scales nothing, so this shows that
// the saver's adoption of the host's awareness breaks nothing; what it prevents, a refused or
// misplaced child on Windows 10, Wine can't show.)
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <filesystem>
#include <string>

#include "tests/support/file_text.h"
#include "tests/support/wine.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

TEST(PreviewAcrossDpiAwareness, BecomesTheChildOfAHostOfEveryAwarenessAtItsSize)
{
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen(prefix, 1024, 768, false);
    const WindowsSaver saver(prefix, windowsBuild, false);
    const std::string display = screen.server().name();
    const std::string hostProgram = windowsBuild + "/tests/windows/preview_host.exe";
    for (const char* awareness : {"unaware", "system", "permonitor"}) {
        SCOPED_TRACE(awareness);
        const std::string handleFile = prefix.linuxPath("C:\\host.txt"), childrenFile = prefix.linuxPath("C:\\held.txt");
        fs::remove(handleFile);
        auto host = prefix.start(hostProgram, {"152", "112", "C:\\host.txt", awareness}, display);
        ASSERT_TRUE(waitUntil([&] { return !fileText(handleFile).empty(); }, 30s)) << host->errorOutput();
        auto preview = saver.start({"/p", fileText(handleFile)}, display);
        EXPECT_TRUE(waitUntil([&] {
            return prefix.run(hostProgram, {"children", "C:\\held.txt"}, display) == 0 &&
                   fileText(childrenFile) == "Preview Window\t152\t112\t1\n";
        }, 30s)) << fileText(childrenFile);
        sendDeleteWindow(screen.display(), findWindowByTitle(screen.display(), "Preview host"));
        EXPECT_EQ(host->waitForExit(10s), 0);
        EXPECT_EQ(preview->waitForExit(10s), 0) << "the preview goes with its host";
    }
}

}  // namespace

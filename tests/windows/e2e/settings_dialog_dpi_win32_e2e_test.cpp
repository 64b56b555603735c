// The Windows build's settings dialog on a scaled desktop, under Wine: `Hoarveil.scr /c` with
// the prefix's LogPixels at 96, 120, 144 and 192 (Windows' 100 % to 200 %). At each the dialog
// must look like the 96-dpi one made larger: the client area the same size in inches, the panel
// tiled edge to edge, the bullets and the buttons' rims at their size, the labels whole.
// GoogleTest before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/saver/settings/dialog_look.h"
#include "tests/saver/settings/dialog_scaling.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wine.h"
#include "tests/support/x_user.h"

using namespace testing_support;
using namespace dialog_look;
using namespace dialog_scaling;
namespace fs = std::filesystem;

namespace {

const std::string windowsBuild = HOARVEIL_WINDOWS_BUILD;

// The dialog's client area once it has settled, and the window's frame around it.
struct Shown {
    bool found = false;
    int border = 0;
    Screenshot inner{0, 0, {}};
};

class DialogOnAScaledWindowsDesktop : public ::testing::Test {
protected:
    DialogOnAScaledWindowsDesktop() : prefix(WinePrefix::current()), screen(prefix, 1280, 1024, false)
    {
        for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"})
            fs::copy_file(windowsBuild + "/" + program, install.path() + "/" + program);
        movePointer(screen.display(), 0, 0);  // no button under the pointer
    }
    // The run's other tests share the prefix: they find its display setting as it was.
    ~DialogOnAScaledWindowsDesktop() override
    {
        screen.restore();
        prefix.run("reg", {"delete", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/f"}, screen.server().name());
        screen.restore();
    }

    // Display settings' scaling: the dpi every program of the prefix starts with. The prefix's
    // programs end before and after, so that none keeps the old one (Wine's desktop included,
    // which `reg` starts on the display too: one started without a display would keep every
    // later window from showing).
    void setLogPixels(int dpi)
    {
        screen.restore();
        ASSERT_EQ(prefix.run("reg", {"add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                                     std::to_string(dpi), "/f"},
                             screen.server().name()),
                  0);
        screen.restore();
    }

    Shown openAt(int dpi)
    {
        Shown shown;
        setLogPixels(dpi);
        const auto saver = prefix.start(install.path() + "/Hoarveil.scr", {"/c"}, screen.server().name());
        Display* display = screen.display();
        ::Window window = 0;
        EXPECT_TRUE(waitUntil([&] { return (window = findWindowByTitle(display, "<Hoarveil>")) != 0; }, 30s))
            << saver->errorOutput();
        if (!window)
            return shown;
        // The system draws the frame: the client area, of the size the dialog's twips take at
        // this dpi, sits inside its border, under the caption.
        const int width = scaled(dialogWidth, dpi), height = scaled(dialogHeight, dpi);
        int x = 0, y = 0;
        Screenshot previous(0, 0, {});
        screenshotWhen(display, [&](const Screenshot& shot) {
            if (!viewable(display, window))
                return false;
            XWindowAttributes attributes{};
            XGetWindowAttributes(display, window, &attributes);
            ::Window child;
            int cornerX = 0, cornerY = 0;
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &cornerX, &cornerY, &child);
            shown.border = (attributes.width - width) / 2;
            x = cornerX + shown.border;
            y = cornerY + attributes.height - height - shown.border;
            if (shown.border < 0 || x < 0 || y < 0 || !near(shot.at(x + 2, y + 1), 0, 0, 30, 6) ||
                shot.at(x + scaled(300, dpi), y + scaled(40, dpi)).r < 120 ||
                !saveButtonFocused(shot, x, y, dpi))
                return false;
            const Screenshot now = cut(shot, x, y, width, height);
            const bool settled = previous.width() == width &&
                                 worstCellDifference(previous, now, {"all", 0, 0, width, height, 1}) == 0;
            previous = now;
            return settled;
        }, 30s);
        shown.found = previous.width() == width;
        shown.inner = previous;
        shown.inner.save("settings_dialog_win32_" + std::to_string(dpi) + "dpi.png");
        return shown;
    }

    TempFolder install;
    WinePrefix prefix;
    WineScreen screen;
};

TEST_F(DialogOnAScaledWindowsDesktop, AtEveryScalingLooksLikeTheDialogAtNinetySixDotsPerInchMadeLarger)
{
    const Shown at96 = openAt(96);
    ASSERT_TRUE(at96.found);
    for (const int dpi : {120, 144, 192}) {
        const Shown shown = openAt(dpi);
        ASSERT_TRUE(shown.found) << "a client area of the dialog's size in inches at " << dpi << " dpi";
        EXPECT_LE(shown.border, 12) << "the window is no wider than its client area and frame";
        const Screenshot back = scaledBack(shown.inner, dialogWidth, dialogHeight);
        back.save("settings_dialog_win32_" + std::to_string(dpi) + "dpi_scaled_back.png");
        expectLooksLikeTheDialogAt96(at96.inner, back, dpi);
        EXPECT_GE(endOfNone(shown.inner, dpi), 74) << "なし whole at " << dpi << " dpi";
    }
}

}  // namespace

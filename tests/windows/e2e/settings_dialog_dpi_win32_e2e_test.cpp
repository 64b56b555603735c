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
    int border = 0, cornerX = 0, cornerY = 0;
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
        setLogPixels(dpi);
        saver = prefix.start(install.path() + "/Hoarveil.scr", {"/c"}, screen.server().name());
        EXPECT_TRUE(waitUntil([&] { return (window = findWindowByTitle(screen.display(), "<Hoarveil>")) != 0; }, 30s))
            << saver->errorOutput();
        return shownAt(dpi, "settings_dialog_win32_" + std::to_string(dpi) + "dpi.png");
    }

    // The dialog's client area once it has the size its twips take at the dpi and has settled.
    Shown shownAt(int dpi, const std::string& picture)
    {
        Shown shown;
        if (!window)
            return shown;
        Display* display = screen.display();
        // The system draws the frame: the client area, of the size the dialog's twips take at
        // this dpi, sits inside its border, under the caption.
        const int width = scaled(dialogWidth, dpi), height = scaled(dialogHeight, dpi);
        Screenshot last(0, 0, {});
        shown.inner = settledInnerArea(display, dpi, [&](int& x, int& y, int& innerWidth, int& innerHeight) {
            if (!viewable(display, window))
                return false;
            XWindowAttributes attributes{};
            XGetWindowAttributes(display, window, &attributes);
            ::Window child;
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &shown.cornerX, &shown.cornerY,
                                  &child);
            shown.border = (attributes.width - width) / 2;
            x = shown.cornerX + shown.border;
            y = shown.cornerY + attributes.height - height - shown.border;
            innerWidth = width, innerHeight = height;
            return shown.border >= 0;
        }, 30s, &last);
        shown.found = shown.inner.width() == width;
        (shown.found ? shown.inner : last).save(picture);  // the whole screen when the dialog never settled
        return shown;
    }

    // The look at the dpi, scaled back, against the one at 96.
    static void expectScaledLook(const Shown& at96, const Shown& shown, int dpi, const std::string& picture)
    {
        EXPECT_LE(shown.border, 12) << "the window is no wider than its client area and frame";
        const Screenshot back = scaledBack(shown.inner, dialogWidth, dialogHeight);
        back.save(picture);
        expectLooksLikeTheDialogAt96(at96.inner, back, dpi);
        EXPECT_GE(endOfNone(shown.inner, dpi), 74) << "なし whole at " << dpi << " dpi";
    }

    TempFolder install;
    WinePrefix prefix;
    WineScreen screen;
    std::unique_ptr<ChildProcess> saver;
    ::Window window = 0;
};

TEST_F(DialogOnAScaledWindowsDesktop, AtEveryScalingLooksLikeTheDialogAtNinetySixDotsPerInchMadeLarger)
{
    const Shown at96 = openAt(96);
    ASSERT_TRUE(at96.found);
    for (const int dpi : {120, 144, 192}) {
        const Shown shown = openAt(dpi);
        ASSERT_TRUE(shown.found) << "a client area of the dialog's size in inches at " << dpi << " dpi";
        expectScaledLook(at96, shown, dpi, "settings_dialog_win32_" + std::to_string(dpi) + "dpi_scaled_back.png");
    }
}

// Moved to a monitor at 150 %, the open dialog lays itself out again at 144 dpi where it stands.
TEST_F(DialogOnAScaledWindowsDesktop, FollowsWmDpiChangedToTheNewScaling)
{
    const Shown at96 = openAt(96);
    ASSERT_TRUE(at96.found);
    ASSERT_EQ(prefix.run(windowsBuild + "/tests/windows/dpi_change.exe", {"<Hoarveil>", "144"}, screen.server().name()),
              0);
    // Its new size repaints the buttons' faces as a resize does, plain; Tab twice brings the
    // focus round to 設定 again, which shows it.
    for (int i = 0; i < 2; ++i)
        pressKey(screen.display(), "Tab");
    const Shown moved = shownAt(144, "settings_dialog_win32_dpi_changed_to_144.png");
    ASSERT_TRUE(moved.found) << "the client area at its size at 144 dpi";
    EXPECT_EQ(moved.cornerX, at96.cornerX);
    EXPECT_EQ(moved.cornerY, at96.cornerY);
    expectScaledLook(at96, moved, 144, "settings_dialog_win32_dpi_changed_to_144_scaled_back.png");
}

}  // namespace

// The settings dialog on a scaled desktop: `Hoarveil.scr /c` on a private X server whose
// resources say Xft.dpi 96, 120, 144 and 192, as GNOME and KDE set it at 100 % to 200 %. At each
// the dialog must look like the 96-dpi one made larger: the same size in inches, the panel
// tiled edge to edge, the bullets and the buttons' rims at their size, the labels whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <filesystem>
#include <map>
#include <memory>

#include "tests/saver/settings/dialog_look.h"
#include "tests/saver/settings/dialog_scaling.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"

using namespace testing_support;
using namespace dialog_look;
using namespace dialog_scaling;
namespace fs = std::filesystem;

namespace {

const std::string programFolder = HOARVEIL_PROGRAM_DIR;

// The dialog's inner area, as it looks once it has settled, at the dpi the resources give.
struct Shown {
    int width = 0, height = 0;
    Screenshot inner{0, 0, {}};
};

class DialogOnAScaledDesktop : public ::testing::Test {
protected:
    DialogOnAScaledDesktop() : server(1280, 1024)
    {
        for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"})
            fs::copy_file(programFolder + "/" + program, install.path() + "/" + program);
        fs::create_directory(home.path() + "/run");
        fs::permissions(home.path() + "/run", fs::perms::owner_all);
        // The pointer away from the dialog, so that no button shows the pointer-over face.
        movePointer(server.display(), 0, 0);
    }

    // What `xrdb` does: the resources on the root window, where every client reads them.
    void setResources(const std::string& text)
    {
        Display* display = server.display();
        XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
        XSync(display, False);
    }

    Shown openAt(int dpi)
    {
        setResources("Xft.dpi:\t" + std::to_string(dpi) + "\n");
        ChildProcess saver({install.path() + "/Hoarveil.scr", "/c"}, {{"DISPLAY", server.name()},
                                                                       {"HOME", home.path()},
                                                                       {"XDG_RUNTIME_DIR", home.path() + "/run"},
                                                                       {"XDG_CONFIG_HOME", home.path() + "/config"},
                                                                       {"SDL_AUDIODRIVER", "dummy"}});
        Display* display = server.display();
        ::Window window = 0;
        EXPECT_TRUE(waitUntil([&] { return (window = findWindowByTitle(display, "<Hoarveil>")) != 0; }, 15s))
            << saver.errorOutput();
        Shown shown;
        if (!window)
            return shown;
        shown.inner = settledInnerArea(display, dpi, [&](int& x, int& y, int& width, int& height) {
            if (!viewable(display, window))
                return false;
            XWindowAttributes attributes{};
            XGetWindowAttributes(display, window, &attributes);
            ::Window child;
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
            width = shown.width = attributes.width, height = shown.height = attributes.height;
            return true;
        }, 15s);
        shown.inner.save("settings_dialog_" + std::to_string(dpi) + "dpi.png");
        return shown;
    }

    PrivateXServer server;
    TempFolder install, home;
};

TEST_F(DialogOnAScaledDesktop, AtEveryScalingLooksLikeTheDialogAtNinetySixDotsPerInchMadeLarger)
{
    const Shown at96 = openAt(96);
    ASSERT_EQ(at96.width, dialogWidth);
    ASSERT_EQ(at96.height, dialogHeight);
    for (const int dpi : {120, 144, 192}) {
        const Shown shown = openAt(dpi);
        // Twips per pixel unrounded: 7.5 at 192 dpi, so 990 pixels, not 928.
        EXPECT_EQ(shown.width, scaled(dialogWidth, dpi)) << dpi;
        EXPECT_EQ(shown.height, scaled(dialogHeight, dpi)) << dpi;
        if (shown.width != scaled(dialogWidth, dpi) || shown.height != scaled(dialogHeight, dpi))
            continue;
        const Screenshot back = scaledBack(shown.inner, dialogWidth, dialogHeight);
        back.save("settings_dialog_" + std::to_string(dpi) + "dpi_scaled_back.png");
        expectLooksLikeTheDialogAt96(at96.inner, back, dpi);
        EXPECT_GE(endOfNone(shown.inner, dpi), 74) << "なし whole at " << dpi << " dpi";
    }
}

}  // namespace

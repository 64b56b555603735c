#include "saver/show/show_form.h"

#include <memory>

#include "assets/flake_bmp.h"
#include "platform/bitmap_folder.h"
#include "platform/desktop_capture.h"
#include "platform/native_window.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/trace.h"
#include "platform/window.h"
#include "saver/forms/bitmap_file.h"
#include "saver/forms/conversions.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/runtime.h"
#include "saver/forms/screen.h"
#include "saver/music/hoarveil_bgm.h"
#include "saver/startup/command_line.h"
#include "saver/startup/mode_hooks.h"
#include "saver/startup/shared_settings.h"
#include "shared/program_names.h"

using forms::suppressErrors;

namespace {

// How long the end of the show waits for a renderer it asked to close: closing takes well under
// 100 ms, and the limit only keeps a renderer that hangs from holding us up.
constexpr int rendererCloseMilliseconds = 2000;

// Watch ticks (500 ms each) a renderer whose process runs is given to show its window.
constexpr int rendererStartTicks = 20;

// The music file's kind by the last three characters of its name, in any case.
std::string musicFileEnding()
{
    const std::string& file = Hoarveil_BGM.BgmFile;
    return forms::upperCase(file.size() > 3 ? file.substr(file.size() - 3) : file);
}

}  // namespace

Hoarveil_S::Hoarveil_S()
    : Form("Hoarveil_Main"), Display0(*this, "Display", 0), Display1(*this, "Display", 1),
      Timer3([this] { Timer3_Timer(); }, 500, true), Timer1([this] { Timer1_Timer(); }, 1000, false),
      Timer2([this] { Timer2_Timer(); }, 200, false)
{
    setBorderStyle(forms::BorderStyle::NoBorder);
    for (forms::PictureBox* display : {&Display0, &Display1}) {
        display->setBackColor({0, 0, 0});
        display->setBorder(false);
    }
    Display1.setPicture(std::make_shared<const forms::RgbSurface>(forms::decodeBitmap(assets::flake_bmp())));
    Display1.movePixels(0, 0, 64, 64);
}

void Hoarveil_S::photographDesktop()
{
    forms::PictureBox& photo = Display(0);
    forms::RgbSurface& image = photo.image();
    if (!platform::copyScreenArea(0, 0, image.width(), image.height(), image.data()))
        throw std::runtime_error("the desktop cannot be read");
    photo.refresh();
}

void Hoarveil_S::Form_Load()
{
    const std::string folder = platform::bitmapFolder();
    suppressErrors([&] { move(left(), top(), forms::Screen::width(), forms::Screen::height()); });
    suppressErrors([&] { Display(0).move(0, 0, scaleWidth(), scaleHeight()); });
    suppressErrors([&] { photographDesktop(); });
    platform::trace("photograph taken");
    // A folder that isn't the user's own takes the saves as a folder that can't be written.
    const bool privateFolder = platform::bitmapFolderIsPrivate();
    suppressErrors([&] {
        if (privateFolder)
            forms::savePicture(Display(0).image(), platform::bitmapPath(ProgramNames::desktopBitmapFile));
    });
    platform::trace("photograph written");
    suppressErrors([&] {
        if (privateFolder)
            forms::savePicture(Display(1).image(), platform::bitmapPath(ProgramNames::flakeBitmapFile));
    });
    platform::trace("flake picture written");
    suppressErrors([&] {
        RendererPath = platform::joinPath(Hoarveil_B.AppFolder, ProgramNames::rendererFile);
        platform::startProgram(RendererPath);
    });
    platform::trace("renderer started");
    // The music the settings ask for; the watches keep it going.
    suppressErrors([&] {
        if (Hoarveil_BGM.BgmKind == 1) {
            CdOpen();
            Timer2.setEnabled(true);
        }
    });
    suppressErrors([&] {
        if (Hoarveil_BGM.BgmKind != 2)
            return;
        const std::string ending = musicFileEnding();
        if (ending == "WAV")
            WavStart();
        if (ending == "MP3") {
            Mp3Start();
            Timer1.setEnabled(true);
        }
    });
}

void Hoarveil_S::Timer1_Timer() { Mp3Watch(); }

void Hoarveil_S::Timer2_Timer()
{
    CdWatch();
    // Once the CD has proved unusable, the watch stays off.
    if (Timer2.enabled() != BgmState.CdAvailable)
        Timer2.setEnabled(BgmState.CdAvailable);
}

void Hoarveil_S::Timer3_Timer()
{
    if (platform::findWindow(ProgramNames::rendererWindowTitle)) {
        RendererShown = true;
        return;
    }
    // A renderer still starting is waited for: on a busy machine, or with the music's device
    // slow to open first, its window comes after the first tick, and ending then would leave it
    // to run alone without the music. One that has closed its window, or whose process has
    // ended, ends the show.
    if (!RendererShown && platform::startedProgramRunning() && ++RendererStartTicks < rendererStartTicks)
        return;
    Timer3.setEnabled(false);
    unload();
}

void Hoarveil_S::Form_QueryUnload(int&, forms::UnloadMode)
{
    // The music ends with the show; a CD whose watch has stopped was never playing.
    suppressErrors([&] {
        if (Timer2.enabled()) {
            Timer2.setEnabled(false);
            CdClose();
        }
    });
    suppressErrors([&] {
        if (Hoarveil_BGM.BgmKind != 2)
            return;
        const std::string ending = musicFileEnding();
        if (ending == "WAV")
            WavStop();
        if (ending == "MP3") {
            Timer1.setEnabled(false);
            Mp3Close();
        }
    });
    // The cursor was hidden only by the show switch; the count it left is handed back.
    suppressErrors([] {
        if (modeLetter(forms::commandText()) == "S" && Hoarveil_B.CursorState)
            Hoarveil_B.CursorState = platform::showCursor(*Hoarveil_B.CursorState != 0);
    });
    // When the show is ended from outside (an idle watcher stopping it, the session ending),
    // the renderer still runs: it is asked to close rather than left holding the screen. Whoever
    // ended the show takes our end for the display's return, so the renderer goes first.
    suppressErrors([] {
        if (const platform::NativeWindow renderer = platform::findWindow(ProgramNames::rendererWindowTitle)) {
            platform::postCloseRequest(renderer);
            platform::waitForStartedPrograms(rendererCloseMilliseconds);
        }
    });
    forms::endProcess();
}

void loadShowForm()
{
    static Hoarveil_S form;
    form.load();
}

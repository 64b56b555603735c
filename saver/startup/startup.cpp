#include "saver/startup/startup.h"

#include <cstdint>
#include <string>

#include "platform/bitmap_folder.h"
#include "platform/directory.h"
#include "platform/message_box.h"
#include "platform/native_window.h"
#include "platform/path.h"
#include "platform/window.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/runtime.h"
#include "saver/startup/command_line.h"
#include "saver/startup/mode_hooks.h"
#include "saver/startup/preview_form.h"
#include "saver/startup/settings_store.h"
#include "saver/startup/shared_settings.h"
#include "shared/program_names.h"

namespace {

using forms::suppressErrors;

void createBitmapFolder()
{
    // The folder is private: the show's desktop photograph goes into it. Its parent is made
    // too when missing, as ~/.cache is on a fresh account.
    const std::string folder = platform::bitmapFolder();
    if (const std::string parent = FolderOf(folder); !parent.empty())
        platform::createDirectory(parent, 0700);
    platform::createDirectory(folder, 0700);
}

}  // namespace

void Main()
{
    // Every step runs with errors suppressed: a step that fails is skipped.
    bool alreadyOpen = false;
    suppressErrors([&] {
        alreadyOpen = platform::findWindow("Hoarveil_Main") != 0 || platform::findWindow("<Hoarveil>") != 0;
    });
    if (alreadyOpen)
        forms::endProcess();

    std::string command, mode;
    suppressErrors([&] {
        command = forms::commandText();
        mode = modeLetter(command);
    });

    if (mode == "P") {
        std::int32_t parent = 0;
        suppressErrors([&] { parent = previewParentHandle(command).value(); });
        suppressErrors([&] { startPreview(parent); });
        return;
    }

    suppressErrors(createBitmapFolder);
    suppressErrors(LoadSettings);
    suppressErrors([] {
        if (!FileExists(platform::joinPath(Hoarveil_B.AppFolder, ProgramNames::rendererFile))) {
            platform::messageBox(0, missingRendererText, applicationTitle);
            forms::endProcess();
        }
    });

    if (mode == "C") {
        suppressErrors(showSettingsDialog);
        forms::endProcess();
    }
    if (mode != "S" && !command.empty())
        forms::endProcess();
    if (mode == "S")
        suppressErrors([] { Hoarveil_B.CursorState = platform::showCursor(false); });
    suppressErrors(loadShowForm);
}

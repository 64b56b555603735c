// Stand-ins for the show form and the settings dialog until they are built: a hidden form
// with the show's title that ends when no renderer window is up, and an empty dialog with the
// settings dialog's title. Both keep the titles that the single-instance test looks for.
#include <optional>

#include "platform/native_window.h"
#include "platform/window.h"
#include "saver/forms/errors_suppressed.h"
#include "saver/forms/form.h"
#include "saver/forms/runtime.h"
#include "saver/forms/timer.h"
#include "saver/startup/command_line.h"
#include "saver/startup/mode_hooks.h"
#include "saver/startup/shared_settings.h"

namespace {

class PendingShow : public forms::Form {
public:
    PendingShow() : Form("Hoarveil_Main"), Timer3([this] { watchRenderer(); }, 500, true)
    {
        setBorderStyle(forms::BorderStyle::None);
    }

protected:
    void Form_QueryUnload(int&, forms::UnloadMode) override
    {
        if (modeLetter(forms::commandText()) == "S" && Hoarveil_B.CursorState)
            forms::suppressErrors([] { Hoarveil_B.CursorState = platform::showCursor(true); });
        forms::endProcess();
    }

private:
    void watchRenderer()
    {
        if (platform::findWindow("Hoarveil_VC"))
            return;
        Timer3.setEnabled(false);
        unload();
    }

    forms::Timer Timer3;
};

}  // namespace

void loadShowForm()
{
    static PendingShow form;
    form.load();
}

void showSettingsDialog()
{
    static forms::Form dialog("<Hoarveil>");
    dialog.move(0, 0, 7425, 3690);
    dialog.setBorderStyle(forms::BorderStyle::FixedSingle);
    dialog.showModal();
}

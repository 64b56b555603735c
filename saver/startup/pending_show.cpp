// Stand-in for the show form until it is built (saver/show): a hidden form with the show's
// title, so the single-instance test sees a running show, that ends the process once no
// renderer window is up. Delete this file when the show form defines loadShowForm.
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
        setBorderStyle(forms::BorderStyle::NoBorder);
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

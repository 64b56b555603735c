// Stand-in for the settings dialog until it is built (saver/settings): an empty dialog with the
// dialog's title, so the single-instance test sees an open dialog, shown modally; its close box
// ends it. Delete this file when the settings dialog defines showSettingsDialog.
#include "saver/forms/form.h"
#include "saver/startup/mode_hooks.h"

void showSettingsDialog()
{
    static forms::Form dialog("<Hoarveil>");
    dialog.move(0, 0, 7425, 3690);
    dialog.setBorderStyle(forms::BorderStyle::FixedSingle);
    dialog.showModal();
}

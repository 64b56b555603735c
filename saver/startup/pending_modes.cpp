// Stand-in for the settings dialog until it is built: an empty dialog with the settings
// dialog's title, which the single-instance test looks for.
#include "saver/forms/form.h"
#include "saver/startup/mode_hooks.h"

void showSettingsDialog()
{
    static forms::Form dialog("<Hoarveil>");
    dialog.move(0, 0, 7425, 3690);
    dialog.setBorderStyle(forms::BorderStyle::FixedSingle);
    dialog.showModal();
}

#pragma once
// The forms that start-up hands the show and the configure switches over to.

// Loads the hidden show form Hoarveil_S; its load handler starts the show.
void loadShowForm();

// Shows the settings dialog Hoarveil_P modally and returns once it has closed.
void showSettingsDialog();

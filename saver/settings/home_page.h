#pragma once
// What the dialog's home-page label shows, and what a click on it opens.
#include <string>

namespace settings_dialog {

struct HomePage {
    std::string caption;  // what the label shows
    std::string target;   // what the shell is given to open
};

// The build's home page (HOARVEIL_HOME_PAGE): an address, shown and opened as it stands; or
// the read-me beside the programs, shown by its name (its folder's path would not fit the
// label) and opened by its whole path.
HomePage homePage();

}  // namespace settings_dialog

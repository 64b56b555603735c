#pragma once
// The address the dialog's home-page label shows and opens.
#include <string>

namespace settings_dialog {

// The build's home page (HOARVEIL_HOME_PAGE): an address as it stands, or a file name that is
// looked for beside the programs and given as a file URL (the default: the README).
std::string homePageAddress();

}  // namespace settings_dialog

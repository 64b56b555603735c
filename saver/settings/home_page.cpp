#include "saver/settings/home_page.h"

#include "platform/path.h"
#include "saver/startup/shared_settings.h"

namespace settings_dialog {

HomePage homePage()
{
    const std::string page = HOARVEIL_HOME_PAGE;
    if (page.find("://") != std::string::npos)
        return {page, page};
    // A plain path, not a file URL: opened as a double click opens it, in any language.
    return {page, platform::joinPath(Hoarveil_B.AppFolder, page)};
}

}  // namespace settings_dialog

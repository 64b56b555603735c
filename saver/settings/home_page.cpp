#include "saver/settings/home_page.h"

#include <cstdio>

#include "platform/path.h"
#include "saver/startup/shared_settings.h"

namespace settings_dialog {
namespace {

// A path as the path part of a file URL: separators as '/', a drive ("C:") after a leading '/',
// bytes other than the unreserved ones percent-encoded.
std::string urlPath(const std::string& path)
{
    const bool drive = path.size() >= 2 && path[1] == ':';
    std::string encoded;
    if (drive)
        encoded.append("/").append(path, 0, 2);
    for (const char c : std::string_view(path).substr(drive ? 2 : 0)) {
        const auto byte = static_cast<unsigned char>(c);
        if (platform::separatesFolders(c)) {
            encoded += '/';
        } else if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                   std::string_view("-._~").find(c) != std::string_view::npos) {
            encoded += c;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            encoded += escape;
        }
    }
    return encoded;
}

}  // namespace

std::string homePageAddress()
{
    const std::string page = HOARVEIL_HOME_PAGE;
    if (page.find("://") != std::string::npos)
        return page;
    return "file://" + urlPath(platform::joinPath(Hoarveil_B.AppFolder, page));
}

}  // namespace settings_dialog

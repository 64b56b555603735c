#include "saver/settings/home_page.h"

#include <cstdio>

#include "saver/startup/shared_settings.h"

namespace settings_dialog {
namespace {

// A path as the path part of a file URL: bytes other than the unreserved ones percent-encoded.
std::string urlPath(const std::string& path)
{
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            std::string_view("/-._~").find(c) != std::string_view::npos) {
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
    return "file://" + urlPath(Hoarveil_B.AppFolder + "/" + page);
}

}  // namespace settings_dialog

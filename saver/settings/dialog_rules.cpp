#include "saver/settings/dialog_rules.h"

#include <cmath>

#include "saver/forms/conversions.h"

namespace settings_dialog {

SourceControls controlsFor(int source)
{
    SourceControls controls;
    controls.repeatEnabled = source == sourceAudioCd;
    controls.fileEnabled = source == sourceMusicFile;
    controls.chosenOption = source >= 0 && source < sourceCount ? source : -1;
    return controls;
}

std::int16_t repeatFromText(const std::string& text)
{
    if (const auto number = forms::parseNumber(text))
        return forms::toInt16(*number).value_or(0);
    return 0;
}

std::vector<std::string> repeatList()
{
    std::vector<std::string> entries;
    for (int track = 0; track <= 30; ++track)
        entries.push_back(forms::formatHashHash(track));
    return entries;
}

int dialogOffset(double screenTwips, double formTwips, int divisor)
{
    const long free = std::lround(screenTwips - formTwips);
    return free > 0 ? static_cast<int>(free / divisor) : 0;
}

forms::Colour shadingColour(int y, int height)
{
    if (height <= 0)
        return {0, 0, 30};
    const double d = height / 3.142;
    const auto v = static_cast<std::uint8_t>(std::nearbyint(std::fabs(std::sin(y / d)) * 220));
    return {v, v, static_cast<std::uint8_t>(v + 30)};
}

std::vector<std::pair<int, int>> tileOrigins(int stripWidth, int stripHeight, int targetWidth, int targetHeight)
{
    std::vector<std::pair<int, int>> origins;
    // A strip without area would never reach an edge.
    if (stripWidth <= 0 || stripHeight <= 0)
        return origins;
    for (int x = 0, y = 0;;) {
        origins.emplace_back(x, y);
        if (y > targetHeight) {
            if (x > targetWidth)
                break;
            x += stripWidth;
            y = 0;
        } else {
            y += stripHeight;
        }
    }
    return origins;
}

}  // namespace settings_dialog

#pragma once
#include <string>

#include "shared/program_names.h"

// The saver's entry procedure: refuses to run beside a show or an open settings dialog, reads
// the switch, prepares the bitmap folder and the settings, makes sure the renderer is there,
// and hands over to the preview, the settings dialog or the show. It runs once and returns;
// the form it loaded drives the process from then on.
void Main();

// The message shown when the renderer is not beside the saver, and its caption.
inline const std::string missingRendererText =
    std::string(ProgramNames::rendererFile) + " が同じﾌｫﾙﾀﾞに見つかりません！";
inline constexpr const char* applicationTitle = "Hoarveil";

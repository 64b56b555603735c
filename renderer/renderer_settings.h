#pragma once
// The renderer reads no configuration: everything it needs is compiled in.
#include <cstdint>

#include "shared/program_names.h"

namespace RendererSettings {
inline constexpr std::int32_t width = 1024;
inline constexpr std::int32_t height = 768;
// Colour and depth bits of the pixel-format request (not of the display mode).
inline constexpr std::int32_t colourBits = 16;
// Window class name and window name; the saver watches for this title.
inline constexpr const char* windowName = ProgramNames::rendererWindowTitle;
}  // namespace RendererSettings

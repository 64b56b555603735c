#pragma once
// The private folder the saver writes the two show bitmaps into and the renderer reads them
// from: $XDG_RUNTIME_DIR/k_varo, else $HOME/.cache/k_varo.
#include <string>

namespace platform {

std::string bitmapFolder();

}  // namespace platform

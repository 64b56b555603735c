// The show's two bitmaps live where the saver has always put them.
#include "platform/bitmap_folder.h"

namespace platform {

std::string bitmapFolder() { return "C:\\k_varo"; }

// The renderer's own table of the two paths, as it has always spelt them.
std::string bitmapPath(const std::string& fileName) { return "c:\\k_varo\\" + fileName; }

}  // namespace platform

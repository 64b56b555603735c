#pragma once
// The whole of a file as it is on disk, byte for byte (line ends untouched); empty when the file
// is missing or cannot be read.
#include <string>

namespace testing_support {

std::string fileText(const std::string& path);

}  // namespace testing_support

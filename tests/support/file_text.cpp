#include "tests/support/file_text.h"

#include <fstream>
#include <iterator>

namespace testing_support {

// Portable (the Windows unit tests use it too).
std::string fileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace testing_support

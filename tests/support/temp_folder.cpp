#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace testing_support {

TempFolder::TempFolder()
{
    char pattern[] = "/tmp/hoarveil-test-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    folder = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

const std::string& TempFolder::process()
{
    static TempFolder shared;
    return shared.path();
}

}  // namespace testing_support

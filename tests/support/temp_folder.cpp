#include "tests/support/temp_folder.h"

#include <filesystem>
#include <random>
#include <stdexcept>

namespace testing_support {

// Portable (the Windows unit tests use it too): a fresh name in the system's temporary folder,
// made by the one create_directory that succeeds, private to the user.
TempFolder::TempFolder()
{
    namespace fs = std::filesystem;
    std::random_device seed;
    std::mt19937_64 names(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("hoarveil-test-" + std::to_string(names() % 1'000'000'000));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, error);
            folder = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
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

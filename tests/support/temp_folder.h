#pragma once
// A folder of the test's own in the temporary folder (/tmp), removed with everything in it when the object goes.
#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return folder; }
    // One folder for the whole test process, kept until it ends.
    static const std::string& process();

private:
    std::string folder;
};

}  // namespace testing_support

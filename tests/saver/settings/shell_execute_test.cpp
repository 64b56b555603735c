// The address opener's refusals: only "open" is a verb it knows, and a text that the opener
// would read as one of its options is never handed over.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/shell_execute.h"
#include "tests/support/temp_folder.h"
#include "tests/support/x_user.h"

namespace {

TEST(ShellExecute, OpensOnlyWithTheOpenVerbAndNeverAnOptionLikeText)
{
    using namespace platform;
    // An opener that would leave a mark if it were started.
    testing_support::TempFolder folder;
    const std::string opener = folder.path() + "/xdg-open", mark = folder.path() + "/started";
    std::ofstream(opener) << "#!/bin/sh\n: > '" << mark << "'\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const std::string path = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", folder.path().c_str(), 1);

    EXPECT_EQ(shellExecute(0, "print", "file:///tmp/a", "", "", SW_SHOWNORMAL), SE_ERR_NOASSOC);
    EXPECT_EQ(shellExecute(0, "open", "", "", "", SW_SHOWNORMAL), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(shellExecute(0, "open", "--help", "", "", SW_SHOWNORMAL), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(mark));
    EXPECT_GT(shellExecute(0, "open", "file:///tmp/a b", "", "", SW_SHOWNORMAL), 32);
    EXPECT_TRUE(testing_support::waitUntil([&] { return std::filesystem::exists(mark); }));

    setenv("PATH", (folder.path() + "/nowhere").c_str(), 1);
    EXPECT_EQ(shellExecute(0, "", "file:///tmp/a", "", "", SW_SHOWNORMAL), ERROR_FILE_NOT_FOUND) << "no opener";
    setenv("PATH", path.c_str(), 1);
}

}  // namespace

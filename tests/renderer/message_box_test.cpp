// The message box without a display: what a test or a log sees of it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/message_box.h"
#include "tests/support/file_text.h"

namespace {

TEST(MessageBox, WithoutADisplayGoesToStandardErrorAndTheLog)
{
    const std::string log = ::testing::TempDir() + "message-box-" + std::to_string(::getpid()) + ".log";
    ::unsetenv("DISPLAY");
    ::setenv("HOARVEIL_MESSAGE_LOG", log.c_str(), 1);

    ::testing::internal::CaptureStderr();
    platform::messageBox(0, "Failed to open DIB file /a b/Hoarveil2.bmp.\n", "Error");
    platform::messageBox(0, "Out of memory.", "Error");
    const std::string printed = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(printed, "Error: Failed to open DIB file /a b/Hoarveil2.bmp.\nError: Out of memory.\n");
    EXPECT_EQ(testing_support::fileText(log), "Error\tFailed to open DIB file /a b/Hoarveil2.bmp.\\n\nError\tOut of memory.\n");
    ::unsetenv("HOARVEIL_MESSAGE_LOG");
    std::remove(log.c_str());
}

TEST(MessageBox, CaptureTakesEveryBoxUntilItIsCleared)
{
    std::vector<std::string> seen;
    platform::captureMessageBoxes([&](platform::NativeWindow owner, const std::string& text, const std::string& caption) {
        seen.push_back(std::to_string(owner) + "|" + caption + "|" + text);
    });
    platform::messageBox(42, "Unknown DIB file format.", "Error");
    platform::captureMessageBoxes({});
    ::unsetenv("DISPLAY");
    ::testing::internal::CaptureStderr();
    platform::messageBox(0, "Image file conversion error.", "Error");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Image file conversion error.\n");
    EXPECT_EQ(seen, std::vector<std::string>{"42|Error|Unknown DIB file format."});
}

}  // namespace

// The bitmap reader's file on Windows: opened with read sharing only, so a picture that another
// program still holds open for writing is refused with the reader's message, never half read.
#include <gtest/gtest.h>

#include "platform/file_reader.h"
#include "platform/message_box.h"
#include "renderer/dib_reader.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

namespace {

using namespace testing_support;

class Handle {
public:
    Handle(const std::string& path, DWORD access, DWORD sharing)
        : handle(CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~Handle()
    {
        if (open())
            CloseHandle(handle);
    }
    bool open() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

TEST(WindowsFileSharing, APictureOpenForWritingElsewhereIsRefusedAndOneOpenForReadingIsNot)
{
    TempFolder folder;
    const std::string path = folder.path() + "\\Hoarveil1.bmp";
    writeFile(path, encodeBmp(makePicture(4, 4, [](int, int) { return 0x336699u; }), {}));
    std::vector<std::string> messages;
    platform::captureMessageBoxes(
        [&](platform::NativeWindow, const std::string& text, const std::string&) { messages.push_back(text); });

    {
        const Handle reader(path, GENERIC_READ, FILE_SHARE_READ);
        ASSERT_TRUE(reader.open());
        EXPECT_TRUE(platform::FileBytes(path.c_str()).valid()) << "another reader doesn't stand in the way";
    }
    {
        const Handle writer(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
        ASSERT_TRUE(writer.open());
        EXPECT_FALSE(platform::FileBytes(path.c_str()).valid());
        EXPECT_EQ(loadDibImage(path.c_str()), nullptr);
        EXPECT_EQ(messages, std::vector<std::string>{"Failed to open DIB file " + path + ".\n"});
    }
    const auto image = loadDibImage(path.c_str());
    ASSERT_NE(image, nullptr) << "readable again once the writer has closed it";
    EXPECT_EQ(image->pixels[0], 0x33);
    platform::captureMessageBoxes({});
}

}  // namespace

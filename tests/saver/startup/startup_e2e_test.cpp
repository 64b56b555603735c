// The saver's start-up as the system and a user meet it, on a private X server: it refuses to
// run beside a show or a settings dialog, hands each switch to its mode, stops without the
// renderer, and embeds its preview in a host window until the host goes.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "saver/forms/bitmap_file.h"
#include "tests/support/child_process.h"
#include "tests/support/file_text.h"
#include "tests/support/x_user.h"
#include "tests/support/xserver.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string programFolder = HOARVEIL_PROGRAM_DIR;
const std::string missingRendererLine = "Hoarveil\tHoarveil.dll が同じﾌｫﾙﾀﾞに見つかりません！\n";

unsigned modeOf(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

// A window of another program: a host for the preview, or a stand-in for a running show.
::Window makeWindow(Display* display, const std::string& title, bool mapped, int x = 0, int y = 0, int width = 100,
                    int height = 100, unsigned long background = 0xFF0000)
{
    const ::Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), x, y, width, height, 0, 0, background);
    if (!title.empty())
        XStoreName(display, window, title.c_str());
    if (mapped)
        XMapWindow(display, window);
    XSync(display, False);
    return window;
}

std::vector<::Window> childrenOf(Display* display, ::Window window)
{
    ::Window root, parent, *children = nullptr;
    unsigned count = 0;
    std::vector<::Window> result;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && children) {
        result.assign(children, children + count);
        XFree(children);
    }
    return result;
}

std::string nameOf(Display* display, ::Window window)
{
    char* name = nullptr;
    std::string result;
    if (XFetchName(display, window, &name) && name) {
        result = name;
        XFree(name);
    }
    return result;
}

class Saver : public ::testing::Test {
protected:
    Saver() : home(temporary.path()), runtime(home + "/run"), messageLog(home + "/messages.log")
    {
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }

    std::map<std::string, std::string> environment(PrivateXServer& server) const
    {
        return {{"DISPLAY", server.name()},       {"HOME", home},
                {"XDG_RUNTIME_DIR", runtime},     {"XDG_CONFIG_HOME", home + "/config"},
                {"HOARVEIL_MESSAGE_LOG", messageLog}};
    }

    std::unique_ptr<ChildProcess> start(PrivateXServer& server, const std::vector<std::string>& arguments,
                                        const std::string& folder = programFolder,
                                        std::map<std::string, std::string> extra = {})
    {
        std::vector<std::string> argv{folder + "/Hoarveil.scr"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        auto env = environment(server);
        for (const auto& [key, value] : extra)
            env[key] = value;
        return std::make_unique<ChildProcess>(argv, env);
    }

    std::string bitmapFolder() const { return runtime + "/k_varo"; }

    TempFolder temporary;
    std::string home, runtime, messageLog;
};

class Preview : public Saver {
protected:
    // Starts a preview in a new host window and waits for the preview to be embedded in it.
    ::Window embed(PrivateXServer& server, int width, int height, bool hexadecimal = false)
    {
        Display* display = server.display();
        host = makeWindow(display, "Display Properties preview", true, 50, 60, width, height, 0xFF0000);
        std::ostringstream handle;
        if (hexadecimal)
            handle << "0x" << std::hex;
        handle << host;
        program = start(server, {"/p", handle.str()});
        ::Window preview = 0;
        waitUntil([&] {
            const auto children = childrenOf(display, host);
            preview = children.empty() ? 0 : children.front();
            XWindowAttributes attributes;
            return preview && XGetWindowAttributes(display, preview, &attributes) &&
                   attributes.map_state == IsViewable;
        }, 10s);
        return preview;
    }

    // Waits until the host's area on the screen shows the expected picture, pixel for pixel.
    bool showsPicture(PrivateXServer& server, const forms::RgbSurface& expected, const std::string& saveAs)
    {
        Screenshot shot = takeScreenshot(server.display());
        const bool same = waitUntil([&] {
            shot = takeScreenshot(server.display());
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x) {
                    const Rgb seen = shot.at(50 + x, 60 + y);
                    const forms::Colour wanted = expected.pixel(x, y);
                    if (seen.r != wanted.r || seen.g != wanted.g || seen.b != wanted.b)
                        return false;
                }
            return true;
        }, 5s);
        shot.save(saveAs);
        return same;
    }

    static forms::RgbSurface previewPicture()
    {
        std::ifstream file(std::string(HOARVEIL_ASSETS_DIR) + "/preview.bmp", std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        return forms::decodeBitmap(bytes);
    }

    ::Window host = 0;
    std::unique_ptr<ChildProcess> program;
};

}  // namespace

TEST_F(Saver, EndsAtOnceBesideARunningShowOrAnOpenSettingsDialog)
{
    PrivateXServer server;
    Display* display = server.display();
    const ::Window previewHost = makeWindow(display, "host", true);
    for (const std::string title : {"Hoarveil_Main", "<Hoarveil>"}) {
        const ::Window running = makeWindow(display, title, false);  // hidden, as the show's form is
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"/s"}, {"/c"}, {"/p", std::to_string(previewHost)}, {}}) {
            auto saver = start(server, arguments);
            EXPECT_EQ(saver->waitForExit(5s), 0) << title << " " << (arguments.empty() ? "" : arguments[0]);
            EXPECT_EQ(findWindowsByTitle(display, title).size(), 1u);
        }
        XDestroyWindow(display, running);
        XSync(display, False);
    }
    // It ended before anything else: no folder, no preview, no window of its own.
    EXPECT_FALSE(fs::exists(bitmapFolder()));
    EXPECT_TRUE(childrenOf(display, previewHost).empty());
    EXPECT_EQ(findWindowByTitle(display, "Preview Window"), 0u);
}

TEST_F(Saver, FindsTheTitleAsNetWmNameAndInsideAWindowManagersFrame)
{
    PrivateXServer server;
    Display* display = server.display();
    // _NET_WM_NAME alone, as toolkits set it for UTF-8 titles.
    const ::Window named = makeWindow(display, "", false);
    const std::string title = "<Hoarveil>";
    XChangeProperty(display, named, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), int(title.size()));
    XSync(display, False);
    EXPECT_EQ(start(server, {"/s"})->waitForExit(5s), 0);
    XDestroyWindow(display, named);

    // A client reparented into an untitled frame, marked as managed with WM_STATE.
    const ::Window frame = makeWindow(display, "", true, 0, 0, 200, 200);
    const ::Window client = makeWindow(display, "Hoarveil_Main", false);
    XReparentWindow(display, client, frame, 0, 20);
    const long state[2] = {1, 0};
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    XChangeProperty(display, client, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(state), 2);
    XMapWindow(display, client);
    XSync(display, False);
    EXPECT_EQ(start(server, {"/p", std::to_string(frame)})->waitForExit(5s), 0);
    EXPECT_EQ(childrenOf(display, frame).size(), 1u);
    EXPECT_FALSE(fs::exists(bitmapFolder()));
}

TEST_F(Saver, WithoutTheRendererShowsItsMessageAndNeverOpensTheSettingsDialog)
{
    PrivateXServer server;
    Display* display = server.display();
    const std::string alone = home + "/alone";
    fs::create_directory(alone);
    fs::copy_file(programFolder + "/Hoarveil.scr", alone + "/Hoarveil.scr");
    fs::permissions(alone + "/Hoarveil.scr", fs::perms::owner_all);

    auto saver = start(server, {"/c"}, alone);
    ASSERT_TRUE(waitUntil([&] { return fileText(messageLog) == missingRendererLine; }, 10s)) << fileText(messageLog);
    ::Window box = 0;
    ASSERT_TRUE(waitUntil([&] { return (box = findWindowByTitle(display, "Hoarveil")) != 0; }, 5s));
    waitUntil([] { return false; }, 300ms);  // drawn
    takeScreenshot(display).save("missing_renderer_message.png");
    EXPECT_FALSE(saver->waitForExit(300ms).has_value());  // waits for the user

    pressKey(display, "Return");
    EXPECT_EQ(saver->waitForExit(5s), 0);
    EXPECT_EQ(findWindowByTitle(display, "<Hoarveil>"), 0u);
    EXPECT_EQ(fileText(messageLog), missingRendererLine);
    // The folder and settings steps ran before the check.
    EXPECT_EQ(modeOf(bitmapFolder()), 0700u);
}

TEST_F(Saver, ConfigureShowsAWindowTitledForTheSettingsDialogUntilItIsClosed)
{
    PrivateXServer server;
    Display* display = server.display();
    auto saver = start(server, {"/c:5678"});
    ::Window dialog = 0;
    ASSERT_TRUE(waitUntil([&] { return (dialog = findWindowByTitle(display, "<Hoarveil>")) != 0; }, 10s));
    waitUntil([&] {
        XWindowAttributes attributes;
        return XGetWindowAttributes(display, dialog, &attributes) && attributes.map_state == IsViewable;
    });
    EXPECT_FALSE(saver->waitForExit(300ms).has_value());
    // A second start now ends at once.
    EXPECT_EQ(start(server, {"/s"})->waitForExit(5s), 0);
    sendDeleteWindow(display, dialog);
    EXPECT_EQ(saver->waitForExit(5s), 0);
}

TEST_F(Saver, TheTextSAloneEndsAfterTheFolderSettingsAndRendererSteps)
{
    PrivateXServer server;
    auto saver = start(server, {"S"});
    EXPECT_EQ(saver->waitForExit(5s), 0);
    EXPECT_EQ(modeOf(bitmapFolder()), 0700u);
    EXPECT_EQ(findWindowByTitle(server.display(), "Hoarveil_Main"), 0u);
    EXPECT_EQ(fileText(messageLog), "");
}

TEST_F(Saver, AnUnknownSwitchEndsWithoutAWindow)
{
    PrivateXServer server;
    Display* display = server.display();
    const std::size_t windowsBefore = childrenOf(display, DefaultRootWindow(display)).size();
    auto saver = start(server, {"/a"});
    EXPECT_EQ(saver->waitForExit(5s), 0);
    EXPECT_EQ(childrenOf(display, DefaultRootWindow(display)).size(), windowsBefore);
    EXPECT_EQ(fileText(messageLog), "");
}

TEST_F(Saver, MakesThePrivateFolderAndItsParentInTheHomeFolderWithoutARuntimeFolder)
{
    PrivateXServer server;
    auto saver = start(server, {"/x"}, programFolder, {{"XDG_RUNTIME_DIR", ""}});
    EXPECT_EQ(saver->waitForExit(5s), 0);
    EXPECT_EQ(modeOf(home + "/.cache"), 0700u);
    EXPECT_EQ(modeOf(home + "/.cache/k_varo"), 0700u);
}

TEST_F(Preview, CoversAHostOf152By112WithThePicture)
{
    PrivateXServer server;
    Display* display = server.display();
    const ::Window preview = embed(server, 152, 112);
    ASSERT_NE(preview, 0u) << program->errorOutput();
    EXPECT_EQ(nameOf(display, preview), "Preview Window");
    ::Window root;
    int x, y;
    unsigned width, height, border, depth;
    ASSERT_TRUE(XGetGeometry(display, preview, &root, &x, &y, &width, &height, &border, &depth));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(width, 152u);
    EXPECT_EQ(height, 112u);
    EXPECT_TRUE(showsPicture(server, previewPicture(), "preview_152x112.png"));
    // Nothing else of the saver ran: no folder, no settings.
    EXPECT_FALSE(fs::exists(bitmapFolder()));
    EXPECT_FALSE(program->waitForExit(200ms).has_value());
}

TEST_F(Preview, FollowsAHostOfAnotherSizeWithThePictureStretched)
{
    PrivateXServer server;
    Display* display = server.display();
    const ::Window preview = embed(server, 320, 240);
    ASSERT_NE(preview, 0u) << program->errorOutput();
    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display, preview, &attributes));
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.width, 320);
    EXPECT_EQ(attributes.height, 240);
    const forms::RgbSurface picture = previewPicture();
    forms::RgbSurface stretched(320, 240);
    stretched.stretchFrom(picture, 0, 0, 320, 240, 0, 0, picture.width(), picture.height());
    EXPECT_TRUE(showsPicture(server, stretched, "preview_320x240.png"));
}

TEST_F(Preview, TakesTheHostAsXwininfoWritesItInHexadecimal)
{
    PrivateXServer server;
    EXPECT_NE(embed(server, 152, 112, true), 0u) << program->errorOutput();
}

TEST_F(Preview, EndsWhenTheHostDestroysItsWindow)
{
    PrivateXServer server;
    ASSERT_NE(embed(server, 152, 112), 0u) << program->errorOutput();
    EXPECT_FALSE(program->waitForExit(300ms).has_value());
    XDestroyWindow(server.display(), host);
    XSync(server.display(), False);
    EXPECT_EQ(program->waitForExit(5s), 0);
}

TEST_F(Preview, TwoPreviewsRunSideBySide)
{
    PrivateXServer server;
    ASSERT_NE(embed(server, 152, 112), 0u);
    const ::Window firstHost = host;
    auto first = std::move(program);
    ASSERT_NE(embed(server, 100, 80), 0u) << program->errorOutput();
    EXPECT_FALSE(first->waitForExit(300ms).has_value());
    EXPECT_FALSE(program->waitForExit(10ms).has_value());
    EXPECT_EQ(childrenOf(server.display(), firstHost).size(), 1u);
}

TEST_F(Preview, WithoutAHostWindowEndsAtOnceInsteadOfLingeringUnseen)
{
    PrivateXServer server;
    EXPECT_EQ(start(server, {"/p"})->waitForExit(5s), 0);
    EXPECT_EQ(start(server, {"/p", "12345"})->waitForExit(5s), 0);
    EXPECT_EQ(findWindowByTitle(server.display(), "Preview Window"), 0u);
}

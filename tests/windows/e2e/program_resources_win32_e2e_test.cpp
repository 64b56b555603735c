// What Windows reads from the saver's and the renderer's files without running them, read back
// under Wine by a Windows program (resource_reader) as the shell and the Screen Saver Settings
// read it: the name that lists the saver, the version information that Explorer and Task
// Manager show, the icon at each size they ask for, and the manifest that Windows applies.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "tests/support/file_text.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wine.h"
#include "tests/support/wine_saver.h"
#include "tests/support/x_user.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string reader = std::string(HOARVEIL_WINDOWS_BUILD) + "/tests/windows/resource_reader.exe";
const std::string version = HOARVEIL_VERSION;

struct Picture {
    int size = 0;
    std::vector<Rgb> pixels;  // top row first
    Rgb at(int x, int y) const { return pixels[std::size_t(y) * size + x]; }
};

Picture picture(int size, const std::string& rgb)
{
    Picture result{size, {}};
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        result.pixels.push_back({std::uint8_t(rgb[i]), std::uint8_t(rgb[i + 1]), std::uint8_t(rgb[i + 2])});
    return result;
}

// The settings dialog's own icon, the picture the programs' icon is drawn from.
Picture dialogIcon()
{
    return picture(32, commandOutput("convert '" + std::string(HOARVEIL_DIALOG_ICON) + "' -depth 8 rgb:-"));
}

struct ProgramResources {
    std::map<std::string, std::string> values;  // string1, the version texts and numbers, iconSizes
    std::map<int, Picture> icons;               // as Windows draws them, by size
    std::string manifest;                       // what manifest_summary.py reads from it
};

// Reads the resources of a program of the install folder C:\hoarveil.
ProgramResources readResources(const WinePrefix& prefix, const std::string& display, const std::string& program)
{
    const std::string output = "C:\\resources";
    fs::remove_all(prefix.linuxPath(output));
    fs::create_directories(prefix.linuxPath(output));
    const std::string windowsProgram = std::string(WindowsSaver::defaultFolder) + "\\" + program;
    EXPECT_EQ(prefix.run(reader, {windowsProgram, output}, display), 0) << program;

    ProgramResources resources;
    std::istringstream lines(fileText(prefix.linuxPath(output + "\\resources.txt")));
    for (std::string line; std::getline(lines, line);)
        if (const auto equals = line.find('='); equals != std::string::npos)
            resources.values[line.substr(0, equals)] = line.substr(equals + 1);
    std::istringstream sizes(resources.values["iconSizes"]);
    for (int size = 0; sizes >> size;)
        resources.icons[size] = picture(size, fileText(prefix.linuxPath(output + "\\icon" + std::to_string(size) + ".rgb")));
    const std::string manifest = prefix.linuxPath(output + "\\manifest.xml");
    if (fs::exists(manifest))
        resources.manifest = commandOutput("python3 '" HOARVEIL_TEST_SOURCE_DIR "/manifest_summary.py' '" + manifest + "' 2>&1");
    fs::remove_all(prefix.linuxPath(output));
    return resources;
}

class ProgramResourcesOnWindows : public testing::Test {
protected:
    const WinePrefix prefix = WinePrefix::current();
    WineScreen screen{prefix, 640, 480, false};
    WindowsSaver saver{prefix, HOARVEIL_WINDOWS_BUILD};
    ProgramResources read(const std::string& program) { return readResources(prefix, screen.server().name(), program); }
};

// The version information of either program: the project's version, the product's name and the
// program's own file name and description.
void expectVersionInformation(std::map<std::string, std::string> values, const std::string& file,
                              const std::string& description)
{
    EXPECT_EQ(values["FileDescription"], description);
    EXPECT_EQ(values["OriginalFilename"], file);
    EXPECT_EQ(values["ProductName"], "Hoarveil");
    EXPECT_EQ(values["FileVersion"], version);
    EXPECT_EQ(values["ProductVersion"], version);
    EXPECT_EQ(values["fileVersion"], version + ".0");
    EXPECT_EQ(values["productVersion"], version + ".0");
    EXPECT_NE(values["CompanyName"], "");
    EXPECT_NE(values["LegalCopyright"].find("Hoarveil"), std::string::npos);
}

TEST_F(ProgramResourcesOnWindows, TheSaverIsListedAsHoarveilAndEachProgramSaysWhatItIs)
{
    ProgramResources scr = read("Hoarveil.scr");
    EXPECT_EQ(scr.values["string1"], "Hoarveil") << "the Screen Saver Settings list it by this name";
    expectVersionInformation(scr.values, "Hoarveil.scr", "Hoarveil screen saver");
    expectVersionInformation(read("Hoarveil.dll").values, "Hoarveil.dll", "Hoarveil renderer");
}

// Both pictures averaged over an 8 x 8 grid, cell by cell: the same picture at another size
// differs only where scaling softens its edges.
int largestCellDifference(const Picture& icon, const Picture& source)
{
    const auto cell = [](const Picture& p, int cx, int cy) {
        const int step = p.size / 8;
        int sum[3] = {};
        for (int y = cy * step; y < (cy + 1) * step; ++y)
            for (int x = cx * step; x < (cx + 1) * step; ++x) {
                sum[0] += p.at(x, y).r;
                sum[1] += p.at(x, y).g;
                sum[2] += p.at(x, y).b;
            }
        for (int& s : sum)
            s /= step * step;
        return std::vector<int>(sum, sum + 3);
    };
    int largest = 0;
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            const auto a = cell(icon, cx, cy), b = cell(source, cx, cy);
            for (int c = 0; c < 3; ++c)
                largest = std::max(largest, std::abs(a[c] - b[c]));
        }
    return largest;
}

TEST_F(ProgramResourcesOnWindows, BothCarryTheDialogsIconAtEachSizeTheShellAsksFor)
{
    const Picture source = dialogIcon();
    ASSERT_EQ(source.pixels.size(), 32u * 32);
    for (const char* program : {"Hoarveil.scr", "Hoarveil.dll"}) {
        SCOPED_TRACE(program);
        const ProgramResources resources = read(program);
        EXPECT_EQ(resources.values.at("iconSizes"), "16 24 32 48 256");
        for (const auto& [size, icon] : resources.icons) {
            SCOPED_TRACE(size);
            ASSERT_EQ(icon.pixels.size(), std::size_t(size) * size) << "the icon could not be drawn";
            // Magenta lies behind it: a cell that shows it is not the opaque picture.
            EXPECT_LE(largestCellDifference(icon, source), 24);
        }
        // At 32 pixels, the dialog's own picture, pixel for pixel.
        const Picture& icon32 = resources.icons.at(32);
        int differing = 0;
        for (std::size_t i = 0; i < icon32.pixels.size(); ++i)
            differing += icon32.pixels[i].r != source.pixels[i].r || icon32.pixels[i].g != source.pixels[i].g ||
                         icon32.pixels[i].b != source.pixels[i].b;
        EXPECT_EQ(differing, 0);
        // Scaled smoothly, not blown up into blocks: more colours than the small picture has pixels.
        std::set<std::uint32_t> colours;
        for (const Rgb& p : resources.icons.at(256).pixels)
            colours.insert(std::uint32_t(p.r) << 16 | p.g << 8 | p.b);
        EXPECT_GT(colours.size(), 2u * 32 * 32);
    }
}

TEST_F(ProgramResourcesOnWindows, ManifestsNameWindows7To11AreAwareOfEachMonitorsScalingAndOnlyTheSaverAsksForCommonControls6)
{
    const std::string windows7To11 = "supportedOS {35138b9a-5d96-4fbd-8e2d-a2440225f93a}\n"
                                     "supportedOS {4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\n"
                                     "supportedOS {1f676c76-80e1-4239-95bb-83d0f6d0da78}\n"
                                     "supportedOS {8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\n";
    const std::string commonControls6 = "dependency Microsoft.Windows.Common-Controls 6.0.0.0\n";
    const std::string scr = read("Hoarveil.scr").manifest;
    const std::string dll = read("Hoarveil.dll").manifest;
    for (const std::string& manifest : {scr, dll}) {
        EXPECT_NE(manifest.find(windows7To11), std::string::npos) << manifest;
        EXPECT_NE(manifest.find("setting requestedExecutionLevel asInvoker\n"), std::string::npos) << manifest;
        // The settings file's bytes follow the system's code page: the programs must keep it.
        EXPECT_EQ(manifest.find("setting activeCodePage"), std::string::npos) << manifest;
        // Real pixels on a scaled display: the whole monitor photographed and covered.
        EXPECT_NE(manifest.find("setting dpiAware true/pm\nsetting dpiAwareness PerMonitorV2, PerMonitor\n"),
                  std::string::npos)
            << manifest;
    }
    EXPECT_EQ(scr.rfind("identity Hoarveil.ScreenSaver " + version + ".0\n", 0), 0u) << scr;
    EXPECT_EQ(dll.rfind("identity Hoarveil.Renderer " + version + ".0\n", 0), 0u) << dll;
    EXPECT_NE(scr.find(commonControls6), std::string::npos) << scr;
    EXPECT_EQ(dll.find("dependency "), std::string::npos) << "the renderer draws no controls\n" << dll;
}

}  // namespace

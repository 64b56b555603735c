// The bitmap reader and the texture loader on a 1920 x 1080 desktop capture: reading a 24-bit
// and an 8-bit file (from the page cache, and from memory alone), against the floor set by
// copying the file's bytes twice; and building the texture with the GLU mipmap builder on the
// renderer's own context in a private Xvfb (Mesa llvmpipe).
#include <benchmark/benchmark.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <variant>

#include "platform/message_box.h"
#include "renderer/dib_reader.h"
#include "renderer/renderer_host.h"
#include "renderer/renderer_settings.h"
#include "renderer/scene_state.h"
#include "renderer/texture_loader.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/xserver.h"

using namespace testing_support;

namespace {

constexpr int width = 1920, height = 1080;

struct BenchFiles {
    std::string folder;  // as XDG_RUNTIME_DIR: the bitmaps are in its k_varo
    std::string depth24, depth8;
};

BenchFiles& files()
{
    static BenchFiles f;
    return f;
}

std::vector<std::uint8_t> readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A desktop-like picture: flat areas, gradients and text-sized detail.
std::uint32_t desktopColour(int x, int y)
{
    if (y > height - 40)
        return 0x203050;
    if ((x / 8 + y / 16) % 5 == 0)
        return 0xF0F0F0;
    return std::uint32_t((x * 255 / width) << 16 | (y * 255 / height) << 8 | ((x ^ y) & 0xFF));
}

void writeFiles()
{
    char pattern[] = "/tmp/hoarveil-bench-XXXXXX";
    BenchFiles& f = files();
    f.folder = mkdtemp(pattern);
    const std::string bitmaps = f.folder + "/k_varo";
    ::mkdir(bitmaps.c_str(), 0700);
    f.depth24 = bitmaps + "/Hoarveil1.bmp";
    f.depth8 = f.folder + "/desktop8.bmp";
    writeFile(f.depth24, encodeBmp(makePicture(width, height, desktopColour), {}));

    BmpOptions indexed;
    indexed.bitCount = 8;
    for (int i = 0; i < 256; ++i)
        indexed.palette.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
    writeFile(f.depth8, encodeBmp(makePicture(width, height, [](int x, int y) { return std::uint32_t((x / 4 + y) & 0xFF); }),
                                  indexed));
    writeFile(bitmaps + "/Hoarveil2.bmp", encodeBmp(makePicture(64, 64, [](int x, int y) {
                                                        return std::uint32_t((x * y) & 0xFF) * 0x010101;
                                                    }),
                                                    {}));
}

const std::string& pathFor(int depth) { return depth == 24 ? files().depth24 : files().depth8; }

void ReadFile(benchmark::State& state)
{
    const std::string& path = pathFor(int(state.range(0)));
    for (auto _ : state) {
        auto image = loadDibImage(path.c_str());
        if (!image)
            state.SkipWithError("the reader failed");
        benchmark::DoNotOptimize(image->pixels.get());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(std::filesystem::file_size(path)));
}

void DecodeFromMemory(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = readAll(pathFor(int(state.range(0))));
    for (auto _ : state) {
        auto result = decodeDib(file);
        benchmark::DoNotOptimize(std::get<RgbImage>(result).pixels.get());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(file.size()));
}

// The floor to beat: the file's bytes copied twice, into buffers that are already there.
void CopyFileBytesTwice(benchmark::State& state)
{
    const std::vector<std::uint8_t> file = readAll(pathFor(int(state.range(0))));
    std::vector<std::uint8_t> first(file.size()), second(file.size());
    for (auto _ : state) {
        std::memcpy(first.data(), file.data(), file.size());
        std::memcpy(second.data(), first.data(), file.size());
        benchmark::DoNotOptimize(second.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(file.size()));
}

void BuildTexture(benchmark::State& state)
{
    const auto image = loadDibImage(files().depth24.c_str());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (auto _ : state) {
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels.get());
        glFinish();
        glDeleteTextures(1, &name);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

// The whole loader as the renderer runs it: both files read, both textures built.
void LoadSceneTextures(benchmark::State& state)
{
    for (auto _ : state) {
        loadSceneTextures();
        glFinish();
        glDeleteTextures(1, &scene.flakeTexture);
        glDeleteTextures(1, &scene.floorTexture);
        scene.flakeTexture = scene.floorTexture = 0;
    }
}

BENCHMARK(ReadFile)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeFromMemory)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFileBytesTwice)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildTexture)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadSceneTextures)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    writeFiles();
    setenv("XDG_RUNTIME_DIR", files().folder.c_str(), 1);
    // A message box would wait for a user: report it and go on.
    platform::captureMessageBoxes([](platform::NativeWindow, const std::string& text, const std::string&) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    });
    // Static, so the server outlives the renderer's X connection, which closes at exit.
    static PrivateXServer server(1024, 768);
    setenv("DISPLAY", server.name().c_str(), 1);
    const platform::WindowHandle window =
        createRendererWindow(RendererSettings::windowName, RendererSettings::width, RendererSettings::height);
    if (!window)
        return 1;
    host.window = window;
    createGlContext(RendererSettings::width, RendererSettings::height);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(files().folder);
    return 0;
}

#include "renderer/texture_loader.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <string>

#include "platform/bitmap_folder.h"
#include "platform/file_reader.h"
#include "platform/trace.h"
#include "renderer/scene_state.h"
#include "shared/program_names.h"

namespace {

struct TextureSlot {
    const char* fileName;
    unsigned SceneState::*texture;
};

// Slot 0 first: the order in which a user meets the messages of two broken files.
constexpr std::array<TextureSlot, 2> textureSlots{{
    {ProgramNames::flakeBitmapFile, &SceneState::flakeTexture},
    {ProgramNames::desktopBitmapFile, &SceneState::floorTexture},
}};

void makeTexture(const RgbImage& image, unsigned& name)
{
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // The rows are packed without padding; with the default 4-byte alignment a width whose
    // rows aren't a multiple of 4 bytes would be read skewed and past the block's end.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

}  // namespace

bool loadSceneTextures()
{
    for (const TextureSlot& slot : textureSlots) {
        const std::string path = platform::bitmapPath(slot.fileName);
        if (const auto image = loadBitmapFile(path.c_str())) {
            platform::trace((std::string(slot.fileName) + " read").c_str());
            makeTexture(*image, scene.*slot.texture);
            platform::trace((std::string(slot.fileName) + " built into a texture").c_str());
        }
    }
    return true;
}

std::unique_ptr<RgbImage> loadBitmapFile(const char* path)
{
    // Files that can't be opened, folders among them, are passed over without a message.
    if (!path)
        return nullptr;
    platform::FileReader file(path);
    if (!file.opened())
        return nullptr;
    return loadDibImage(file, path);
}

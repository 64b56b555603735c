#pragma once
// The texture loader: the saver's two bitmaps become the flake and floor textures of the scene.
#include <memory>

#include "renderer/dib_reader.h"

// Loads slot 0 (the flake picture) and slot 1 (the desktop picture) into the scene's texture
// names; a slot whose file is missing or unreadable keeps 0. Always true.
bool loadSceneTextures();

// Null for a null path or a file that can't be opened, silently; otherwise the reader's result
// (which reports its own failures).
std::unique_ptr<RgbImage> loadBitmapFile(const char* path);

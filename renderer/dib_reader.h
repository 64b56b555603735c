#pragma once
// The bitmap reader: a Windows bitmap file of any colour depth, with or without its 14-byte file
// header, becomes a block of tightly packed RGB bytes, bottom row first, the layout OpenGL expects.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "platform/file_reader.h"
#include "platform/memory_block.h"

struct RgbImage {
    std::int32_t width = 0;
    // Always the number of rows in `pixels`; a top-down file's rows are turned round.
    std::int32_t height = 0;
    // height rows of width pixels, red, green, blue; no row padding; the bottom row first.
    platform::MemoryBlock pixels;
};

// Why a bitmap could not be read; each stands for one of the reader's messages.
enum class DibError {
    OpenFailed,        // the file, its mapping or its view
    UnknownFormat,     // an information header neither 12 nor 40 bytes long, or none at all
    OutOfMemory,       // the picture's size can't be held (also absurd or empty dimensions)
    ConversionFailed,  // pixel data that can't be turned into RGB: unknown kinds, truncated data
};

// The message for an error; the path goes into the one about opening.
std::string dibErrorText(DibError error, const std::string& path);

// Pictures larger than this many RGB bytes are refused as "Out of memory." rather than
// allocated: 256 MiB holds an 8K desktop several times over. The fuzz build sets a far smaller
// cap, so that inputs declaring huge pictures don't spend its time allocating them.
#ifndef HOARVEIL_MAX_DIB_IMAGE_BYTES
#define HOARVEIL_MAX_DIB_IMAGE_BYTES (std::size_t(256) << 20)
#endif
inline constexpr std::size_t maxDibImageBytes = HOARVEIL_MAX_DIB_IMAGE_BYTES;

// The number of colour-table entries an information header implies (its first bytes as read
// from the file; at least 16 of them, or 40 for headers that aren't core headers).
std::uint16_t countDibColours(const std::uint8_t* header);

// The reader's core: the whole file's bytes in, the picture or the reason out. Never reads
// outside `file`.
std::variant<RgbImage, DibError> decodeDib(std::span<const std::uint8_t> file);

// Reads the file at `path`. On failure shows the reader's message box (caption "Error",
// owned by the window that has the focus) and returns nothing.
std::unique_ptr<RgbImage> loadDibImage(const char* path);
// The same for a file already opened from `path`.
std::unique_ptr<RgbImage> loadDibImage(platform::FileReader& file, const std::string& path);

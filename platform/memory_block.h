#pragma once
// A block of bytes from malloc, freed with free: one allocation of exactly the size asked, left
// uninitialised, for the large pictures the renderer reads and converts.
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform {

struct FreeBlock {
    void operator()(std::uint8_t* block) const { std::free(block); }
};

using MemoryBlock = std::unique_ptr<std::uint8_t[], FreeBlock>;

}  // namespace platform

#pragma once
// Writing a whole file so that nobody ever sees half of it.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Writes the bytes to a new file beside the path, readable and writable by this user only,
// then puts it in the path's place in one step. A link planted at the path is replaced, never
// written through. Throws std::system_error, leaving the path as it was.
void replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace platform

#pragma once
// Whole files read into memory, for the tests.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace bvm {

// Raises std::runtime_error when the file cannot be read.
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

}  // namespace bvm

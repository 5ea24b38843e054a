#pragma once

#include <filesystem>

#include "artwork/generator/image.h"

namespace bvm {

// Writes the image as the artwork's PNG files are stored. Throws on failure.
void WritePng(const std::filesystem::path& path, const TImage& image);

}  // namespace bvm

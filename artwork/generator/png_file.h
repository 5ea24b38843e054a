#pragma once

#include <filesystem>

#include "artwork/generator/image.h"

namespace bvm {

// Writes 8-bit, non-interlaced RGB or RGBA with a physical size of 2835
// pixels a metre and no other ancillary chunk. Throws on failure.
void WritePng(const std::filesystem::path& path, const TImage& image);

}  // namespace bvm

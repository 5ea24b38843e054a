#pragma once
// Frames written as PNG pictures.

#include <cstdint>

#include "tools/preview/output_files.h"

namespace bvm::preview {

// Writes an opaque frame (blue, green, red, alpha per pixel, top row first)
// as an 8-bit RGB picture, which every reader takes as alpha 255.
void WritePng(const TPendingFile& file, const uint8_t* bgra, int32_t width, int32_t height);

}  // namespace bvm::preview

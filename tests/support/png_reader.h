#pragma once
// PNG files read back for the tests: the pixels as 8-bit RGBA and the chunks
// in file order.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace bvm {

struct TPng {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint8_t BitDepth = 0;
    uint8_t ColourType = 0;
    uint8_t Interlace = 0;
    uint32_t PixelsPerUnitX = 0;
    uint32_t PixelsPerUnitY = 0;
    uint8_t Unit = 0;
    std::vector<std::string> Chunks;
    std::vector<uint8_t> Rgba;  // alpha 255 where the file has none

    const uint8_t* At(int32_t x, int32_t y) const { return &Rgba[(std::size_t(y) * Width + x) * 4]; }
};

TPng ReadPng(const std::filesystem::path& path);

// The committed images.
std::filesystem::path ArtworkPath(const char* name);  // artwork/NAME
std::filesystem::path LitPicturePath();  // docs/meter-lit.png

}  // namespace bvm

#pragma once
// PNG files as the artwork is stored: 8 bits a channel, not interlaced, a
// physical size of 2835 pixels a metre and no other ancillary chunk.

#include <cstdint>
#include <span>
#include <vector>

namespace bvm {

inline constexpr uint32_t kPngPixelsPerMetre = 2835;  // 72 dpi

// `pixels` are rows from the top without gaps, red, green, blue and, with 4
// channels, alpha (straight). Throws std::runtime_error naming the step.
std::vector<uint8_t> EncodePng(int32_t width, int32_t height, int channels, std::span<const uint8_t> pixels);

}  // namespace bvm

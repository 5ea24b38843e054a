#pragma once
// A picture held as 8-bit straight (not premultiplied) channels, rows from the top.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bvm {

struct TImage {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Channels = 0;  // 3: RGB, 4: RGBA
    std::vector<uint8_t> Bytes;

    TImage() = default;
    TImage(int32_t width, int32_t height, int32_t channels)
        : Width(width), Height(height), Channels(channels), Bytes(std::size_t(width) * height * channels) {}

    uint8_t* At(int32_t x, int32_t y) { return &Bytes[(std::size_t(y) * Width + x) * Channels]; }
    const uint8_t* At(int32_t x, int32_t y) const { return &Bytes[(std::size_t(y) * Width + x) * Channels]; }
};

}  // namespace bvm

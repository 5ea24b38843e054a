#pragma once
// What many tests share: the artwork loaded into surfaces, the committed files,
// and a frame painted the slow, obvious way to compare against.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "meter/frame_composer.h"
#include "platform/graphics.h"

namespace bvm::test {

// A file of the source tree, by its path relative to the top.
std::vector<uint8_t> ReadSourceFile(const std::string& relativePath);

// The three surfaces as the visualization loads them, and their sprites.
struct TLoadedArtwork {
    std::unique_ptr<TACLDib> BGDib, VUDib, PeakDib;
    std::unique_ptr<TPreparedSprites> Sprites;
    TLoadedArtwork();
};

using TPixel = std::array<uint8_t, 4>;  // blue, green, red, alpha

TPixel PixelAt(const TACLDib& surface, int32_t x, int32_t y);

// The expected picture of a frame, computed pixel by pixel: `before` is what
// the target held, `area` the size given to the frame.
struct TExpectedFrame {
    int32_t Width, Height;  // of the target
    std::vector<TPixel> Pixels;
    TPixel At(int32_t x, int32_t y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

TExpectedFrame ReferenceFrame(const TLoadedArtwork& art, int32_t targetWidth, int32_t targetHeight,
                              int32_t areaWidth, int32_t areaHeight, const TLevels& levels,
                              TPixel before = {0, 0, 0, 0});

// Source over destination with premultiplied alpha, one pixel.
TPixel BlendPixel(TPixel source, TPixel destination);

// The first pixel where a target differs from the expected frame, as text;
// empty when they agree.
std::string FirstDifference(const TExpectedFrame& expected, const uint8_t* pixels, int32_t stride);

}  // namespace bvm::test

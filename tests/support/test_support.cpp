#include "tests/support/test_support.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "artwork/image_loader.h"
#include "tests/support/files.h"

namespace bvm::test {

std::vector<uint8_t> ReadSourceFile(const std::string& relativePath) {
    return ReadBytes(std::filesystem::path(BVM_SOURCE_DIR) / relativePath);
}

TLoadedArtwork::TLoadedArtwork() {
    LoadSurface("bg", BGDib);
    LoadSurface("vu", VUDib);
    LoadSurface("peak", PeakDib);
    Sprites = std::make_unique<TPreparedSprites>(TArtwork{BGDib.get(), VUDib.get(), PeakDib.get()});
}

TPixel PixelAt(const TACLDib& surface, int32_t x, int32_t y) {
    TPixel p;
    std::memcpy(p.data(), surface.Bits() + ptrdiff_t{y} * surface.Stride() + ptrdiff_t{x} * 4, 4);
    return p;
}

TPixel BlendPixel(TPixel s, TPixel d) {
    TPixel out;
    for (int c = 0; c < 4; ++c) {
        // round(d * (255 - sa) / 255); the quotient is never a tie.
        const int scaled = (2 * d[c] * (255 - s[3]) + 255) / 510;
        out[c] = static_cast<uint8_t>(s[c] + scaled);
    }
    return out;
}

TExpectedFrame ReferenceFrame(const TLoadedArtwork& art, int32_t targetWidth, int32_t targetHeight,
                              int32_t areaWidth, int32_t areaHeight, const TLevels& levels, TPixel before) {
    TExpectedFrame frame{targetWidth, targetHeight,
                         std::vector<TPixel>(static_cast<size_t>(targetWidth) * targetHeight, before)};
    auto put = [&](int32_t x, int32_t y, auto&& paint) {
        if (x >= 0 && y >= 0 && x < targetWidth && y < targetHeight) {
            TPixel& p = frame.Pixels[static_cast<size_t>(y) * targetWidth + x];
            p = paint(p);
        }
    };
    for (int32_t y = 0; y < areaHeight; ++y)
        for (int32_t x = 0; x < areaWidth; ++x) put(x, y, [](TPixel) { return TPixel{0, 0, 0, 0}; });

    const int32_t orgX = std::max(0, (areaWidth - 638) / 2), orgY = std::max(0, (areaHeight - 470) / 2);
    for (int32_t y = 0; y < 470; ++y)
        for (int32_t x = 0; x < 638; ++x) put(orgX + x, orgY + y, [&](TPixel) { return PixelAt(*art.BGDib, x, y); });

    struct Sprite {
        const TACLDib& strip;
        int32_t frame, frameWidth, frameHeight, left, top;
    };
    const Sprite sprites[] = {
        {*art.PeakDib, levels.PL - 27, 167, 72, 385, 82},
        {*art.PeakDib, levels.PR - 27, 167, 72, 385, 317},
        {*art.VUDib, levels.VUL, 323, 76, 86, 78},
        {*art.VUDib, levels.VUR, 323, 76, 86, 313},
    };
    for (const Sprite& s : sprites) {
        if (s.frame < 0) continue;
        for (int32_t y = 0; y < s.frameHeight; ++y)
            for (int32_t x = 0; x < s.frameWidth; ++x)
                put(orgX + s.left + x, orgY + s.top + y, [&](TPixel d) {
                    return BlendPixel(PixelAt(s.strip, x, s.frameHeight * s.frame + y), d);
                });
    }
    return frame;
}

std::string FirstDifference(const TExpectedFrame& expected, const uint8_t* pixels, int32_t stride) {
    for (int32_t y = 0; y < expected.Height; ++y)
        for (int32_t x = 0; x < expected.Width; ++x) {
            const uint8_t* got = pixels + ptrdiff_t{y} * stride + ptrdiff_t{x} * 4;
            const TPixel want = expected.At(x, y);
            if (std::memcmp(got, want.data(), 4) != 0) {
                char text[160];
                std::snprintf(text, sizeof text, "pixel (%d, %d): got %d %d %d %d, expected %d %d %d %d", x, y,
                              got[0], got[1], got[2], got[3], want[0], want[1], want[2], want[3]);
                return text;
            }
        }
    return {};
}

}  // namespace bvm::test

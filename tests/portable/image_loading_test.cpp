// The surfaces against a decode of the committed files made here, in the
// decoder's own output formats.
#include <gtest/gtest.h>
#include <spng.h>

#include <memory>
#include <vector>

#include "artwork/image_loader.h"
#include "platform/errors.h"
#include "tests/support/test_support.h"

namespace bvm {
namespace {

std::vector<uint8_t> Decode(const std::vector<uint8_t>& png, spng_format format) {
    std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> context(spng_ctx_new(0), spng_ctx_free);
    spng_set_png_buffer(context.get(), png.data(), png.size());
    size_t size = 0;
    EXPECT_EQ(spng_decoded_image_size(context.get(), format, &size), 0);
    std::vector<uint8_t> pixels(size);
    EXPECT_EQ(spng_decode_image(context.get(), pixels.data(), size, format, 0), 0);
    return pixels;
}

TEST(ArtworkSurfacesPortable, BackgroundHoldsTheFileColours) {
    const test::TLoadedArtwork art;
    const std::vector<uint8_t> rgb = Decode(test::ReadSourceFile("artwork/bg.png"), SPNG_FMT_RGB8);
    const TACLDib& bg = *art.BGDib;
    ASSERT_EQ(rgb.size(), size_t{638} * 470 * 3);
    for (int32_t y = 0; y < bg.Height(); ++y)
        for (int32_t x = 0; x < bg.Width(); ++x) {
            const uint8_t* want = &rgb[(static_cast<size_t>(y) * 638 + x) * 3];
            ASSERT_EQ(test::PixelAt(bg, x, y), (test::TPixel{want[2], want[1], want[0], 255})) << x << "," << y;
        }
}

TEST(ArtworkSurfacesPortable, StripsHoldTheFilePixelsPremultiplied) {
    const test::TLoadedArtwork art;
    const struct {
        const char* file;
        const TACLDib& dib;
    } cases[] = {{"artwork/vu.png", *art.VUDib}, {"artwork/peak.png", *art.PeakDib}};
    for (const auto& c : cases) {
        const std::vector<uint8_t> rgba = Decode(test::ReadSourceFile(c.file), SPNG_FMT_RGBA8);
        for (int32_t y = 0; y < c.dib.Height(); ++y)
            for (int32_t x = 0; x < c.dib.Width(); ++x) {
                const uint8_t* p = &rgba[(static_cast<size_t>(y) * c.dib.Width() + x) * 4];
                const auto times = [a = p[3]](uint8_t v) { return static_cast<uint8_t>((2 * v * a + 255) / 510); };
                ASSERT_EQ(test::PixelAt(c.dib, x, y), (test::TPixel{times(p[2]), times(p[1]), times(p[0]), p[3]}))
                    << c.file << " " << x << "," << y;
            }
    }
}

// Only PNG decodes here: other formats reach the decoder and fail as data it
// cannot read.
TEST(ImageLoadingPortable, OtherFormatsAreNotDecoded) {
    std::unique_ptr<TACLDib> dib;
    EXPECT_THROW(LoadSurface("bmp24", dib), EGdipException);
    EXPECT_EQ(dib, nullptr);
}

}  // namespace
}  // namespace bvm

// The surfaces against a decode of the committed files made here, in the
// decoder's own output formats.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "artwork/image_loader.h"
#include "platform/errors.h"
#include "tests/support/png_reader.h"
#include "tests/support/test_support.h"

namespace bvm {
namespace {

TEST(ArtworkSurfacesPortable, BackgroundHoldsTheFileColours) {
    const test::TLoadedArtwork art;
    const TPng png = ReadPng(ArtworkPath("bg.png"));
    const TACLDib& bg = *art.BGDib;
    ASSERT_EQ(png.Width, 638u);
    ASSERT_EQ(png.Height, 470u);
    for (int32_t y = 0; y < bg.Height(); ++y)
        for (int32_t x = 0; x < bg.Width(); ++x) {
            const uint8_t* want = png.At(x, y);
            ASSERT_EQ(test::PixelAt(bg, x, y), (test::TPixel{want[2], want[1], want[0], 255})) << x << "," << y;
        }
}

TEST(ArtworkSurfacesPortable, StripsHoldTheFilePixelsPremultiplied) {
    const test::TLoadedArtwork art;
    const struct {
        const char* file;
        const TACLDib& dib;
    } cases[] = {{"vu.png", *art.VUDib}, {"peak.png", *art.PeakDib}};
    for (const auto& c : cases) {
        const TPng png = ReadPng(ArtworkPath(c.file));
        for (int32_t y = 0; y < c.dib.Height(); ++y)
            for (int32_t x = 0; x < c.dib.Width(); ++x) {
                const uint8_t* p = png.At(x, y);
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

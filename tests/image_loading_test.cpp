#include "artwork/image_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/resources.h"
#include "tests/support/test_support.h"

namespace bvm {
namespace {

using test::PixelAt;
using test::TPixel;

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(ImageFormat, ToldFromTheLeadingBytes) {
    using namespace std::string_literals;
    const struct {
        std::string data;
        TImageFormat format;
    } cases[] = {
        {"\x89PNG\r\n\x1a\n"s, TImageFormat::PNG},
        {"xPNG", TImageFormat::PNG},  // the first byte is not tested
        {"PNG!", TImageFormat::Unknown},
        {"BM\x36\0"s, TImageFormat::BMP},
        {"GIF89a", TImageFormat::GIF},
        {"\xFF\xD8\xFF\xE0", TImageFormat::JPEG},
        {"RIFF\x10\0\0\0WEBPVP8 "s, TImageFormat::WebP},
        {"RIFF\x10\0\0\0WAVEfmt "s, TImageFormat::Unknown},
        {"hello", TImageFormat::Unknown},
        {"", TImageFormat::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectImageFormat(Bytes(c.data)), c.format) << c.data;
}

TEST(Premultiply, TableRoundsToNearest) {
    for (int a = 0; a < 256; ++a)
        for (int c = 0; c < 256; ++c) ASSERT_EQ(kPremultiply.Product[a][c], (2 * c * a + 255) / 510) << c << " " << a;
}

std::vector<TPixel> AllPixels(const TACLDib& s) {
    std::vector<TPixel> pixels;
    for (int32_t y = 0; y < s.Height(); ++y)
        for (int32_t x = 0; x < s.Width(); ++x) pixels.push_back(PixelAt(s, x, y));
    return pixels;
}

// Each fixture holds a few known pixels; the surface holds them as blue,
// green, red, alpha with the colours premultiplied.
TEST(ImageLoading, StraightAlphaIsPremultiplied) {
    std::unique_ptr<TACLDib> dib;
    LoadSurface("argb", dib);
    ASSERT_EQ(dib->Width(), 4);
    ASSERT_EQ(dib->Height(), 2);
    const std::vector<TPixel> expected = {
        {0, 59, 64, 65},     {0, 0, 0, 0},     {0, 0, 0, 1},       {30, 20, 10, 255},
        {25, 50, 100, 128}, {0, 0, 0, 4},     {0, 0, 254, 254},   {127, 90, 45, 127},
    };
    EXPECT_EQ(AllPixels(*dib), expected);
}

TEST(ImageLoading, ImagesWithoutStraightAlphaLoadOpaque) {
    const struct {
        const char* name;
        std::vector<TPixel> pixels;
    } cases[] = {
        {"rgb", {{56, 34, 12, 255}, {255, 255, 255, 255}, {0, 0, 0, 255}, {100, 10, 200, 255}, {3, 2, 1, 255},
                 {97, 98, 99, 255}}},
        {"palette", {{0, 0, 255, 255}, {0, 128, 0, 255}, {30, 20, 10, 255}, {230, 240, 250, 255},
                     {30, 20, 10, 255}, {0, 128, 0, 255}}},
    };
    for (const auto& c : cases) {
        std::unique_ptr<TACLDib> dib;
        LoadSurface(c.name, dib);
        EXPECT_EQ(AllPixels(*dib), c.pixels) << c.name;
    }
}

// Decoders differ here: one keeps 16 bits a channel (drawn, so opaque),
// another hands out 8-bit straight ARGB (premultiplied like the strips).
TEST(ImageLoading, SixteenBitsAChannelFollowTheDecodedFormat) {
    const TDecodedImage decoded(FindModuleResource("rgba16"), true);
    std::unique_ptr<TACLDib> dib;
    LoadSurface("rgba16", dib);
    ASSERT_EQ(dib->Width(), 2);
    ASSERT_EQ(dib->Height(), 1);
    const std::vector<TPixel> pixels = AllPixels(*dib);
    if (decoded.Format() == TPixelFormat::Other) {
        for (const TPixel& p : pixels) EXPECT_EQ(p[3], 255);
    } else {
        ASSERT_EQ(decoded.Format(), TPixelFormat::ARGB32);
        EXPECT_EQ(pixels[0], (TPixel{32, 0, 64, 64}));
        EXPECT_EQ(pixels[1], (TPixel{0x56, 0x34, 0x12, 255}));
    }
}

TEST(ImageLoading, MissingResourceIsReportedByName) {
    std::unique_ptr<TACLDib> dib;
    try {
        LoadSurface("nothere", dib);
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource nothere not found");
    }
    EXPECT_EQ(dib, nullptr);
}

TEST(ImageLoading, UndecodableDataRaisesTheImagingError) {
    std::unique_ptr<TACLDib> dib;
    try {
        LoadSurface("garbage", dib);
        FAIL() << "no error";
    } catch (const EGdipException& e) {
        EXPECT_NE(e.Status(), 0);
        EXPECT_EQ(e.what(), "Invalid operation in GDI+ (Code: " + std::to_string(e.Status()) + ")");
    }
    EXPECT_EQ(dib, nullptr);
    EXPECT_THROW(TACLImage(Bytes("\x89PNG\r\n\x1a\n truncated")), EGdipException);
}

TEST(ImageLoading, NamesMatchWithoutRegardToCase) {
    const struct {
        const char* file;
        std::vector<const char*> names;
    } cases[] = {
        {"artwork/bg.png", {"bg", "BG", "Bg"}},
        {"artwork/vu.png", {"vu", "VU"}},
        {"artwork/peak.png", {"peak", "PEAK", "pEaK"}},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> file = test::ReadSourceFile(c.file);
        for (const char* name : c.names) {
            const std::span<const uint8_t> found = FindModuleResource(name);
            EXPECT_TRUE(std::equal(found.begin(), found.end(), file.begin(), file.end())) << name;
        }
    }
}

TEST(ArtworkSurfaces, SizesAsTheMeterExpects) {
    const test::TLoadedArtwork art;
    const struct {
        const TACLDib& dib;
        int32_t width, height, bytes;
    } cases[] = {
        {*art.BGDib, 638, 470, 1199440},
        {*art.VUDib, 323, 2128, 2749376},
        {*art.PeakDib, 167, 1008, 673344},
    };
    int32_t total = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(c.dib.Width(), c.width);
        EXPECT_EQ(c.dib.Height(), c.height);
        EXPECT_EQ(c.dib.Stride() * c.dib.Height(), c.bytes);
        total += c.dib.Stride() * c.dib.Height();
    }
    EXPECT_EQ(total, 4622160);
}

TEST(ArtworkSurfaces, BackgroundIsOpaque) {
    const test::TLoadedArtwork art;
    for (const TPixel& p : AllPixels(*art.BGDib)) ASSERT_EQ(p[3], 255);
}

TEST(ArtworkSurfaces, FrameZeroOfBothStripsIsAllZero) {
    const test::TLoadedArtwork art;
    const struct {
        const TACLDib& strip;
        int32_t frameHeight;
    } cases[] = {{*art.VUDib, 76}, {*art.PeakDib, 72}};
    for (const auto& c : cases) {
        const uint8_t* bytes = c.strip.Bits();
        const size_t count = static_cast<size_t>(c.strip.Stride()) * c.frameHeight;
        EXPECT_TRUE(std::all_of(bytes, bytes + count, [](uint8_t b) { return b == 0; }));
        // The next frame is not: the black floor has alpha 1.
        EXPECT_EQ(PixelAt(c.strip, 0, c.frameHeight), (TPixel{0, 0, 0, 1}));
    }
}

// A decoded image with chosen pixels and a chosen outcome of the lock, to
// drive every row of the pixel-format table.
struct FakeImage {
    TPixelFormat format;
    bool lockable;
    mutable bool drawn = false;
    int32_t Width() const { return 2; }
    int32_t Height() const { return 1; }
    TPixelFormat Format() const { return format; }
    bool CopyPixelsTo(TACLDib& s) const {
        if (!lockable) return false;
        const uint8_t pixels[8] = {0, 230, 251, 65, 10, 20, 30, 0};
        std::copy(std::begin(pixels), std::end(pixels), s.Bits());
        return true;
    }
    void DrawTo(TACLDib& s) const {
        drawn = true;
        const uint8_t pixels[8] = {1, 2, 3, 0, 4, 5, 6, 7};
        std::copy(std::begin(pixels), std::end(pixels), s.Bits());
    }
};

TEST(PixelFormatTable, EveryRow) {
    const TPixel drawnFirst{1, 2, 3, 255}, drawnSecond{4, 5, 6, 255};
    const struct {
        TPixelFormat format;
        bool lockable;
        TPixel first, second;
        bool drawn;
    } cases[] = {
        {TPixelFormat::ARGB32, true, {0, 59, 64, 65}, {0, 0, 0, 0}, false},
        {TPixelFormat::PARGB32, true, {0, 230, 251, 65}, {10, 20, 30, 0}, false},
        {TPixelFormat::RGB32, true, {0, 230, 251, 255}, {10, 20, 30, 255}, false},
        {TPixelFormat::Other, true, drawnFirst, drawnSecond, true},
        {TPixelFormat::ARGB32, false, drawnFirst, drawnSecond, true},
        {TPixelFormat::PARGB32, false, drawnFirst, drawnSecond, true},
        {TPixelFormat::RGB32, false, drawnFirst, drawnSecond, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.format) * 10 + c.lockable);
        const FakeImage image{c.format, c.lockable};
        TACLDib dib;
        WriteDecodedImage(image, dib);
        ASSERT_EQ(dib.Width(), 2);
        EXPECT_EQ(PixelAt(dib, 0, 0), c.first);
        EXPECT_EQ(PixelAt(dib, 1, 0), c.second);
        EXPECT_EQ(image.drawn, c.drawn);
    }
}

TEST(Surface, FailedBitmapLeavesItEmpty) {
    TACLDib dib;
    dib.Resize(2, 2);
    try {
        dib.Resize(70000, 70000);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation& e) {
        int error = 0, objects = -1, end = 0;
        const std::string text = e.what();
        ASSERT_EQ(std::sscanf(text.c_str(), "%d: Failed to create DIB (70000x70000), %d%n", &error, &objects, &end), 2)
            << text;
        EXPECT_EQ(static_cast<size_t>(end), text.size()) << text;
        EXPECT_GE(objects, 0);
    }
    EXPECT_TRUE(dib.Empty());
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.Height(), 0);
}

TEST(Surface, GraphicsObjectsLiveAsLongAsTheSurface) {
    const int32_t before = LiveGraphicsObjects();
    {
        TACLDib dib;
        EXPECT_EQ(LiveGraphicsObjects(), before);
        dib.Resize(3, 3);
        const int32_t sized = LiveGraphicsObjects();
        EXPECT_GT(sized, before);
        EXPECT_EQ(PixelAt(dib, 2, 2), (TPixel{0, 0, 0, 0}));
        dib.Resize(5, 4);
        EXPECT_EQ(LiveGraphicsObjects(), sized);
    }
    EXPECT_EQ(LiveGraphicsObjects(), before);
}

}  // namespace
}  // namespace bvm

#include "meter/frame_composer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "artwork/geometry.h"
#include "platform/errors.h"
#include "tests/support/test_support.h"
#include "tools/host/drawing_target.h"

namespace bvm {
namespace {

using test::TPixel;

constexpr TPixel kPattern{0xAB, 0xCD, 0xEF, 0x12};

class Composition : public ::testing::Test {
protected:
    static void SetUpTestSuite() { art = new test::TLoadedArtwork(); }
    static void TearDownTestSuite() { delete art; }

    // Paints one frame of the given area into a target that held kPattern,
    // and compares every pixel with the reference.
    void ExpectFrame(int32_t targetWidth, int32_t targetHeight, int32_t areaWidth, int32_t areaHeight,
                     const TLevels& levels) {
        host::TDrawingTarget target(targetWidth, targetHeight);
        Fill(target, kPattern);
        TCanvas canvas;
        canvas.Bind(target.Handle());
        PaintFrame(canvas, art->BGDib.get(), *art->Sprites, areaWidth, areaHeight, ArtworkOrigin(areaWidth, areaHeight, art->BGDib.get()),
                   levels);
        canvas.Unbind();
        const test::TExpectedFrame expected =
            test::ReferenceFrame(*art, targetWidth, targetHeight, areaWidth, areaHeight, levels, kPattern);
        EXPECT_EQ(test::FirstDifference(expected, target.Pixels(), target.Stride()), "");
    }

    static void Fill(host::TDrawingTarget& target, TPixel p) {
        for (int32_t i = 0; i < target.Width() * target.Height(); ++i) std::memcpy(target.Pixels() + i * 4, p.data(), 4);
    }

    static test::TLoadedArtwork* art;
};

test::TLoadedArtwork* Composition::art = nullptr;

TEST_F(Composition, SilenceFrameIsTheBackgroundOnBlack) {
    TStereoMeter m;
    m.Step(0.0f, 0.0f);
    ASSERT_EQ(m.PL, 27);
    ASSERT_EQ(m.VUL, 0);
    host::TDrawingTarget target(800, 600);
    Fill(target, kPattern);
    TCanvas canvas;
    canvas.Bind(target.Handle());
    PaintFrame(canvas, art->BGDib.get(), *art->Sprites, 800, 600, {81, 65}, {m.VUL, m.VUR, m.PL, m.PR});
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            const bool inArt = x >= 81 && x < 81 + 638 && y >= 65 && y < 65 + 470;
            const TPixel want = inArt ? test::PixelAt(*art->BGDib, x - 81, y - 65) : TPixel{0, 0, 0, 0};
            TPixel got;
            std::memcpy(got.data(), target.Pixel(x, y), 4);
            ASSERT_EQ(got, want) << x << "," << y;
        }
}

TEST_F(Composition, LevelsChooseTheStripFrames) {
    const TLevels cases[] = {
        {27, 27, 40, 40},  // the last frame of both strips
        {0, 0, 27, 27},
        {14, 3, 33, 28},
        {27, 1, 28, 39},
    };
    for (const TLevels& levels : cases) {
        SCOPED_TRACE(testing::Message() << levels.VUL << " " << levels.VUR << " " << levels.PL << " " << levels.PR);
        ExpectFrame(638, 470, 638, 470, levels);
    }
}

TEST_F(Composition, LastFramesOfTheStrips) {
    EXPECT_EQ(kPeakStrip.Frame(PeakFrame(40)), (TRect{0, 936, 167, 1008}));
    EXPECT_EQ(kBarStrip.Frame(BarFrame(27)), (TRect{0, 2052, 323, 2128}));
}

TEST_F(Composition, LargeAreaCentresTheArtwork) {
    const TPoint origin = ArtworkOrigin(1000, 600, art->BGDib.get());
    EXPECT_EQ(origin, (TPoint{181, 65}));
    EXPECT_EQ(kPeakStrip.Destination(0).Offset(origin.X, origin.Y), (TRect{566, 147, 733, 219}));
    EXPECT_EQ(kBarStrip.Destination(1).Offset(origin.X, origin.Y), (TRect{267, 378, 590, 454}));
    ExpectFrame(1000, 600, 1000, 600, {20, 9, 35, 31});
}

// The artwork is drawn at full size from the corner; only the area is cleared.
TEST_F(Composition, SmallAreaClearsOnlyItself) {
    EXPECT_EQ(ArtworkOrigin(500, 300, art->BGDib.get()), (TPoint{0, 0}));
    ExpectFrame(700, 520, 500, 300, {27, 12, 40, 30});
}

// A target smaller than the artwork clips every step, sprites included.
TEST_F(Composition, TargetSmallerThanTheArtworkClipsIt) {
    ExpectFrame(420, 250, 420, 250, {27, 20, 40, 36});
    ExpectFrame(420, 250, 800, 600, {27, 20, 40, 36});  // an area beyond the target
}

// While the peak-hold level rises from reset it is below 27: no peak pixel.
TEST_F(Composition, NegativePeakFrameDrawsNothing) {
    ExpectFrame(638, 470, 638, 470, {5, 5, 5, 12});
}

TEST_F(Composition, BarIsBlendedOverPeakInTheOverlap) {
    ExpectFrame(638, 470, 638, 470, {27, 27, 40, 40});
    // The order shows: somewhere in the overlap the other order differs.
    bool orderMatters = false;
    for (int32_t y = 82; y < 154 && !orderMatters; ++y)
        for (int32_t x = 385; x < 409; ++x) {
            const TPixel bg = test::PixelAt(*art->BGDib, x, y);
            const TPixel peak = test::PixelAt(*art->PeakDib, x - 385, 72 * 13 + y - 82);
            const TPixel bar = test::PixelAt(*art->VUDib, x - 86, 76 * 27 + y - 78);
            if (test::BlendPixel(bar, test::BlendPixel(peak, bg)) != test::BlendPixel(peak, test::BlendPixel(bar, bg)))
                orderMatters = true;
        }
    EXPECT_TRUE(orderMatters);
}

TEST_F(Composition, WithoutDeviceContextTheClearFails) {
    TCanvas canvas;
    try {
        PaintBackground(canvas, art->BGDib.get(), 800, 600, {81, 65});
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Canvas does not allow drawing");
    }
}

}  // namespace
}  // namespace bvm

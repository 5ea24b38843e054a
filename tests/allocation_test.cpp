// Frames allocate nothing: every surface is made before the first frame.
#include <gtest/gtest.h>

#include "meter/frame_composer.h"
#include "tests/support/counting_allocator.h"
#include "tests/support/test_support.h"
#include "tools/host/drawing_target.h"

namespace bvm {
namespace {

TEST(FrameAllocations, NoneAcrossManyFrames) {
    const test::TLoadedArtwork art;
    host::TDrawingTarget target(800, 600);
    TCanvas canvas;
    TStereoMeter meter;
    const TPoint origin = ArtworkOrigin(800, 600, art.BGDib.get());
    auto frame = [&](int i) {
        // A programme that sweeps the whole scale, different on each side.
        const float left = static_cast<float>(i % 97) / 16.0f, right = static_cast<float>(i % 61) / 10.0f;
        canvas.Bind(target.Handle());
        PaintBackground(canvas, art.BGDib.get(), 800, 600, origin);
        StepStereo(
            QuantizeLevel(left), QuantizeLevel(right), meter.Left(), meter.Right(),
            [&](TChannel c, int32_t level) { PaintPeakSprite(canvas, *art.Sprites, origin, c, level); },
            [&](TChannel c, int32_t level) { PaintBarSprite(canvas, *art.Sprites, origin, c, level); });
        canvas.Unbind();
    };
    frame(0);  // the canvas makes its brush on the first fill
    const long before = test::Allocations();
    for (int i = 1; i <= 2000; ++i) frame(i);
    EXPECT_EQ(test::Allocations() - before, 0);
    EXPECT_GT(meter.PL, 0);
}

}  // namespace
}  // namespace bvm

// The portable drawing layer against the formula and against pixman.
#include "platform/portable/pixels.h"

#include <gtest/gtest.h>
#include <pixman.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/errors.h"
#include "platform/graphics.h"
#include "tests/support/test_support.h"

namespace bvm {
namespace {

using test::TPixel;

TEST(BlendRow, EveryChannelValueAgainstTheFormula) {
    // All premultiplied (colour, alpha) pairs over every destination value.
    std::vector<uint8_t> source, destination;
    for (int a = 0; a < 256; ++a)
        for (int c = 0; c <= a; ++c)
            for (int d = 0; d < 256; ++d) {
                const uint8_t s[4] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c), static_cast<uint8_t>(c),
                                      static_cast<uint8_t>(a)};
                source.insert(source.end(), s, s + 4);
                destination.insert(destination.end(), 4, static_cast<uint8_t>(d));
            }
    const std::vector<uint8_t> before = destination;
    portable::BlendRow(destination.data(), source.data(), static_cast<int32_t>(source.size() / 4));
    for (size_t i = 0; i < source.size(); i += 4) {
        const TPixel want = test::BlendPixel({source[i], source[i + 1], source[i + 2], source[i + 3]},
                                             {before[i], before[i + 1], before[i + 2], before[i + 3]});
        ASSERT_EQ(0, std::memcmp(&destination[i], want.data(), 4)) << "pixel " << i / 4;
    }
}

std::vector<uint32_t> RandomPremultiplied(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(count);
    for (uint32_t& p : pixels) {
        const uint32_t a = random() % 4 == 0 ? 255 : random() % 4 == 0 ? 0 : random() % 256;
        const auto channel = [&] { return a ? static_cast<uint32_t>(random() % (a + 1)) : 0u; };
        p = (a << 24) | (channel() << 16) | (channel() << 8) | channel();
    }
    return pixels;
}

TEST(BlendRow, SameAsPixmanOver) {
    constexpr int kWidth = 257, kHeight = 64;
    std::vector<uint32_t> source = RandomPremultiplied(kWidth * kHeight, 1);
    std::vector<uint32_t> ours = RandomPremultiplied(kWidth * kHeight, 2);
    std::vector<uint32_t> theirs = ours;

    pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, source.data(), kWidth * 4);
    pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, theirs.data(), kWidth * 4);
    pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    pixman_image_unref(src);
    pixman_image_unref(dst);

    portable::BlendRow(reinterpret_cast<uint8_t*>(ours.data()), reinterpret_cast<const uint8_t*>(source.data()),
                       kWidth * kHeight);
    EXPECT_EQ(ours, theirs);
}

// A memory DC over a buffer with room around it, so that any write outside
// the DC shows.
struct Target {
    static constexpr int32_t kWidth = 20, kHeight = 10, kStride = kWidth * 4 + 12;
    std::vector<uint8_t> buffer = std::vector<uint8_t>(kStride * kHeight, 0x5A);
    TMemoryDC dc{buffer.data(), kWidth, kHeight, kStride};

    TPixel At(int32_t x, int32_t y) const {
        TPixel p;
        std::memcpy(p.data(), &buffer[y * kStride + x * 4], 4);
        return p;
    }
    bool PaddingUntouched() const {
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t i = kWidth * 4; i < kStride; ++i)
                if (buffer[y * kStride + i] != 0x5A) return false;
        return true;
    }
};

constexpr TPixel kUntouched{0x5A, 0x5A, 0x5A, 0x5A};

TEST(PortableCanvas, FillAndCopyWritesEachPixelAsFillThenCopyWould) {
    TACLDib dib;
    dib.Resize(9, 4);
    for (int32_t i = 0; i < 9 * 4; ++i) {
        const uint8_t p[4] = {static_cast<uint8_t>(i), 7, 8, 255};
        std::memcpy(dib.Bits() + i * 4, p, 4);
    }
    const struct {
        TRect area;
        TPoint at;
    } cases[] = {
        {{-5, -5, 15, 8}, {4, 2}},   // copy partly outside the area and the DC
        {{0, 0, 20, 10}, {-3, -1}},  // copy over the DC's corner
        {{2, 2, 6, 6}, {12, 5}},     // copy beside the area
        {{0, 0, 20, 10}, {30, 0}},   // copy outside the DC
    };
    for (const auto& c : cases) {
        Target t;
        TCanvas canvas;
        canvas.Bind(&t.dc);
        canvas.SetBrushColor(kBlack);
        canvas.FillRectAndCopy(c.area, &dib, c.at);
        for (int32_t y = 0; y < Target::kHeight; ++y)
            for (int32_t x = 0; x < Target::kWidth; ++x) {
                const bool copied = x >= c.at.X && x < c.at.X + 9 && y >= c.at.Y && y < c.at.Y + 4;
                const bool filled = x >= c.area.Left && x < c.area.Right && y >= c.area.Top && y < c.area.Bottom;
                const TPixel want = copied   ? test::PixelAt(dib, x - c.at.X, y - c.at.Y)
                                    : filled ? TPixel{0, 0, 0, 0}
                                             : kUntouched;
                EXPECT_EQ(t.At(x, y), want) << x << "," << y;
            }
        EXPECT_TRUE(t.PaddingUntouched());
    }
}

TEST(PortableCanvas, FillWritesTheColourWithAlphaZero) {
    Target t;
    TCanvas canvas;
    canvas.Bind(&t.dc);
    canvas.SetBrushColor(0x00332211);  // red 0x11, green 0x22, blue 0x33
    canvas.FillRect({18, 8, 40, 40});
    EXPECT_EQ(t.At(19, 9), (TPixel{0x33, 0x22, 0x11, 0}));
    EXPECT_EQ(t.At(17, 9), kUntouched);
    EXPECT_TRUE(t.PaddingUntouched());
}

TEST(PortableSurface, CopyAndBlendAreClippedToTheDC) {
    TACLDib dib;
    dib.Resize(6, 4);
    for (int32_t i = 0; i < 6 * 4; ++i) {
        const uint8_t p[4] = {10, 20, 30, 255};
        std::memcpy(dib.Bits() + i * 4, p, 4);
    }
    Target t;
    dib.DrawCopy(&t.dc, {-2, 8});  // only 4 x 2 pixels land
    EXPECT_EQ(t.At(0, 8), (TPixel{10, 20, 30, 255}));
    EXPECT_EQ(t.At(3, 9), (TPixel{10, 20, 30, 255}));
    EXPECT_EQ(t.At(4, 9), kUntouched);
    dib.DrawBlend(&t.dc, {17, -1, 23, 3}, {0, 0, 6, 4});
    EXPECT_EQ(t.At(19, 0), (TPixel{10, 20, 30, 255}));
    EXPECT_EQ(t.At(16, 0), kUntouched);
    EXPECT_EQ(t.At(19, 3), kUntouched);
    EXPECT_TRUE(t.PaddingUntouched());
}

TEST(PortableSurface, BlendOfASourceOutsideTheSurfaceDrawsNothing) {
    TACLDib dib;
    dib.Resize(6, 4);
    std::memset(dib.Bits(), 0x10, 6 * 4 * 4);
    const TRect sources[] = {{0, 1, 6, 5}, {-1, 0, 5, 4}, {2, 0, 8, 4}, {0, 0, 0, 4}};
    for (const TRect& source : sources) {
        Target t;
        dib.DrawBlend(&t.dc, source.Offset(5, 3), source);
        EXPECT_EQ(t.buffer, Target().buffer);
    }
    Target t;
    dib.DrawBlend(&t.dc, {0, 0, 5, 4}, {0, 0, 6, 4});  // sizes differ
    EXPECT_EQ(t.buffer, Target().buffer);
}

TEST(PortableSurface, UndrawableDCsDrawNothing) {
    TACLDib dib;
    dib.Resize(4, 4);
    std::memset(dib.Bits(), 0x77, 4 * 4 * 4);
    std::vector<uint8_t> buffer(64 * 64, 0x5A);
    const TMemoryDC cases[] = {
        {nullptr, 8, 8, 32},
        {buffer.data(), 0, 8, 32},
        {buffer.data(), 8, -1, 32},
        {buffer.data(), 8, 8, 30},  // not a multiple of 4
        {buffer.data(), 8, 8, 28},  // shorter than a row
    };
    for (TMemoryDC dc : cases) {
        TCanvas canvas;
        canvas.Bind(&dc);
        canvas.FillRect({0, 0, 8, 8});
        canvas.FillRectAndCopy({0, 0, 8, 8}, &dib, {1, 1});
        dib.DrawCopy(&dc, {0, 0});
        dib.DrawBlend(&dc, {0, 0, 4, 4}, {0, 0, 4, 4});
        EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](uint8_t b) { return b == 0x5A; }));
    }
}

}  // namespace
}  // namespace bvm

// The bar and peak strips against the geometry the composer places them by.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "artwork/geometry.h"
#include "tests/support/png_reader.h"

namespace bvm {
namespace {

struct TStripCase {
    const char* File;
    const TStripGeometry* Geometry;
};

const TStripCase kStripCases[] = {{"vu.png", &kBarStrip}, {"peak.png", &kPeakStrip}};

void PrintTo(const TStripCase& c, std::ostream* os) { *os << c.File; }

const TPng& StripImage(const TStripGeometry& g) {
    static const TPng bar = ReadPng(ArtworkPath("vu.png"));
    static const TPng peak = ReadPng(ArtworkPath("peak.png"));
    return &g == &kBarStrip ? bar : peak;
}

const TPng& Background() {
    static const TPng background = ReadPng(ArtworkPath("bg.png"));
    return background;
}

int32_t NewestSegment(const TStripGeometry& g, int32_t frame) { return g.FirstSegment + frame - 1; }

// A segment's own coordinates at the centre of a frame pixel.
TSegmentPoint AtPixel(const TStripGeometry& g, int32_t n, int32_t x, int32_t y) {
    return ToSegment(n, x + 0.5 + g.Placement.X, y + 0.5 + g.Placement.Y);
}

// How far a frame's changes may reach from the newest segment's axis: the
// lit bar, its halo and a pixel of anti-aliasing.
bool NearSegment(TSegmentPoint p) {
    return std::abs(p.Along) <= kLitBarLength / 2 + kHaloReach + 1 &&
           std::abs(p.Across) <= kLitBarWidth / 2 + kHaloReach + 1;
}

class StripTest : public ::testing::TestWithParam<TStripCase> {
protected:
    const TStripGeometry& G() const { return *GetParam().Geometry; }
    const uint8_t* Pixel(int32_t frame, int32_t x, int32_t y) const {
        return StripImage(G()).At(x, G().FrameHeight * frame + y);
    }
};

TEST_P(StripTest, FrameZeroIsTransparentWhite) {
    for (int32_t y = 0; y < G().FrameHeight; ++y) {
        for (int32_t x = 0; x < G().FrameWidth; ++x) {
            const uint8_t* p = Pixel(0, x, y);
            ASSERT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), (std::vector<int>{255, 255, 255, 0}))
                << "at " << x << "," << y;
        }
    }
}

TEST_P(StripTest, LitFramesHaveAFloorAndQuietEdges) {
    int maxEdge = 0;
    for (int32_t f = 1; f < G().FrameCount; ++f) {
        for (int32_t y = 0; y < G().FrameHeight; ++y) {
            for (int32_t x = 0; x < G().FrameWidth; ++x) {
                const int alpha = Pixel(f, x, y)[3];
                ASSERT_GE(alpha, kFloorAlpha) << "frame " << f << " at " << x << "," << y;
                if (x == 0 || y == 0 || x == G().FrameWidth - 1 || y == G().FrameHeight - 1) {
                    maxEdge = std::max(maxEdge, alpha);
                }
            }
        }
    }
    EXPECT_LE(maxEdge, kMaxEdgeAlpha);
}

TEST_P(StripTest, EachLitBarIsOneRegionAtItsTablePosition) {
    const int32_t w = G().FrameWidth;
    const int32_t h = G().FrameHeight;
    for (int32_t f = 1; f < G().FrameCount; ++f) {
        // Regions of alpha 128 or more, neighbours counted in all eight directions.
        std::vector<int32_t> label(std::size_t(w) * h, -1);
        std::vector<TArcPoint> centres;
        for (int32_t y0 = 0; y0 < h; ++y0) {
            for (int32_t x0 = 0; x0 < w; ++x0) {
                if (Pixel(f, x0, y0)[3] < 128 || label[std::size_t(y0) * w + x0] >= 0) {
                    continue;
                }
                const int32_t region = int32_t(centres.size());
                double sx = 0, sy = 0;
                int32_t count = 0;
                std::vector<std::pair<int32_t, int32_t>> open{{x0, y0}};
                label[std::size_t(y0) * w + x0] = region;
                while (!open.empty()) {
                    const auto [x, y] = open.back();
                    open.pop_back();
                    sx += x + 0.5;
                    sy += y + 0.5;
                    ++count;
                    for (int32_t dy = -1; dy <= 1; ++dy) {
                        for (int32_t dx = -1; dx <= 1; ++dx) {
                            const int32_t nx = x + dx, ny = y + dy;
                            if (nx >= 0 && ny >= 0 && nx < w && ny < h && Pixel(f, nx, ny)[3] >= 128 &&
                                label[std::size_t(ny) * w + nx] < 0) {
                                label[std::size_t(ny) * w + nx] = region;
                                open.push_back({nx, ny});
                            }
                        }
                    }
                }
                centres.push_back({sx / count, sy / count});
            }
        }
        ASSERT_EQ(int32_t(centres.size()), f) << "frame " << f;
        for (int32_t k = 0; k < f; ++k) {
            const int32_t n = G().FirstSegment + k;
            const TArcPoint expected = StripCentre(n);
            const bool found = std::any_of(centres.begin(), centres.end(), [&](TArcPoint c) {
                return std::hypot(c.X - expected.X, c.Y - expected.Y) <= 1.0;
            });
            EXPECT_TRUE(found) << "frame " << f << ": no lit region centred on segment " << n;
        }
    }
}

TEST_P(StripTest, EachFrameAddsOnlyAroundItsNewestSegment) {
    for (int32_t f = 2; f < G().FrameCount; ++f) {
        const int32_t n = NewestSegment(G(), f);
        int32_t changed = 0;
        for (int32_t y = 0; y < G().FrameHeight; ++y) {
            for (int32_t x = 0; x < G().FrameWidth; ++x) {
                if (!std::equal(Pixel(f, x, y), Pixel(f, x, y) + 4, Pixel(f - 1, x, y))) {
                    ++changed;
                    EXPECT_TRUE(NearSegment(AtPixel(G(), n, x, y)))
                        << "frame " << f << " changes " << x << "," << y << ", away from segment " << n;
                }
            }
        }
        EXPECT_GT(changed, 0) << "frame " << f;
    }
}

// In the last frame every segment is lit; its opaque pixels keep its own
// colours. How the pixel grid falls across a bar moves its averages a little.
constexpr double kCentreTolerance = 12;
constexpr double kAverageTolerance = 10;
constexpr double kEdgeTolerance = 10;

TEST_P(StripTest, LitBarsHaveTheirFamilyColours) {
    const int32_t last = G().FrameCount - 1;
    for (int32_t k = 0; k < last; ++k) {
        const int32_t n = G().FirstSegment + k;
        const TLitColours& lit = LitColours(Segment(n).Family);
        double sum[3]{}, edge[3]{};
        int32_t opaque = 0, edges = 0;
        const TArcPoint c = StripCentre(n);
        const uint8_t* centre = Pixel(last, int32_t(c.X), int32_t(c.Y));
        const TRgb centreLine = lit.CentreLine;
        EXPECT_NEAR(centre[0], centreLine.R, kCentreTolerance) << "segment " << n;
        EXPECT_NEAR(centre[1], centreLine.G, kCentreTolerance) << "segment " << n;
        EXPECT_NEAR(centre[2], centreLine.B, kCentreTolerance) << "segment " << n;
        for (int32_t y = 0; y < G().FrameHeight; ++y) {
            for (int32_t x = 0; x < G().FrameWidth; ++x) {
                const uint8_t* p = Pixel(last, x, y);
                const TSegmentPoint at = AtPixel(G(), n, x, y);
                if (LitBarDistance(at) > 0) {
                    continue;
                }
                // Nearly opaque pixels along the long edges, whichever way
                // the pixel grid falls across the bar.
                if (p[3] >= 192 && std::abs(at.Across) >= kLitBarWidth / 2 - 1.25 &&
                    std::abs(at.Along) <= kLitBarLength / 2 - 3) {
                    ++edges;
                    for (int i = 0; i < 3; ++i) {
                        edge[i] += p[i];
                    }
                }
                if (p[3] == 255) {
                    ++opaque;
                    for (int i = 0; i < 3; ++i) {
                        sum[i] += p[i];
                    }
                }
            }
        }
        ASSERT_GT(opaque, 80) << "segment " << n;
        ASSERT_GT(edges, 6) << "segment " << n;
        const TRgb average = lit.OpaqueAverage;
        EXPECT_NEAR(sum[0] / opaque, average.R, kAverageTolerance) << "segment " << n;
        EXPECT_NEAR(sum[1] / opaque, average.G, kAverageTolerance) << "segment " << n;
        EXPECT_NEAR(sum[2] / opaque, average.B, kAverageTolerance) << "segment " << n;
        const uint8_t low[3] = {lit.EdgeLow.R, lit.EdgeLow.G, lit.EdgeLow.B};
        const uint8_t high[3] = {lit.EdgeHigh.R, lit.EdgeHigh.G, lit.EdgeHigh.B};
        for (int i = 0; i < 3; ++i) {
            EXPECT_GE(edge[i] / edges, low[i] - kEdgeTolerance) << "segment " << n << " channel " << i;
            EXPECT_LE(edge[i] / edges, high[i] + kEdgeTolerance) << "segment " << n << " channel " << i;
        }
    }
}

// Where only the newest segment's halo reaches, its straight colour is the
// halo colour, also where the alpha is low.
TEST_P(StripTest, HalosKeepTheirColourAtLowAlpha) {
    int worst = 0;
    for (int32_t f = 1; f < G().FrameCount; ++f) {
        const int32_t n = NewestSegment(G(), f);
        const TRgb halo = LitColours(Segment(n).Family).Halo;
        int32_t checked = 0;
        for (int32_t y = 0; y < G().FrameHeight; ++y) {
            for (int32_t x = 0; x < G().FrameWidth; ++x) {
                const uint8_t* p = Pixel(f, x, y);
                if (p[3] < 16 || LitBarDistance(AtPixel(G(), n, x, y)) < 1.5) {
                    continue;
                }
                bool alone = true;
                for (int32_t m = G().FirstSegment; m < n; ++m) {
                    alone = alone && LitBarDistance(AtPixel(G(), m, x, y)) >= kHaloReach;
                }
                if (!alone) {
                    continue;
                }
                ++checked;
                worst = std::max({worst, std::abs(p[0] - halo.R), std::abs(p[1] - halo.G), std::abs(p[2] - halo.B)});
            }
        }
        EXPECT_GT(checked, 50) << "frame " << f;
    }
    EXPECT_LE(worst, 3);
}

struct THaloCase {
    const TStripGeometry* Geometry;
    int32_t Frame;  // its newest segment has no lit neighbour on its upper side
};

const THaloCase kHaloCases[] = {
    {&kBarStrip, 1}, {&kBarStrip, 15}, {&kBarStrip, 25}, {&kPeakStrip, 1}, {&kPeakStrip, 11},
};

// Alpha between pixel centres, at a point of the frame.
double Bilinear(const TPng& png, const TStripGeometry& g, int32_t frame, double x, double y) {
    const double fx = x - 0.5, fy = y - 0.5;
    const int32_t x0 = int32_t(std::floor(fx)), y0 = int32_t(std::floor(fy));
    const double tx = fx - x0, ty = fy - y0;
    const auto a = [&](int32_t px, int32_t py) { return double(png.At(px, g.FrameHeight * frame + py)[3]); };
    return (a(x0, y0) * (1 - tx) + a(x0 + 1, y0) * tx) * (1 - ty) + (a(x0, y0 + 1) * (1 - tx) + a(x0 + 1, y0 + 1) * tx) * ty;
}

TEST(StripHalo, AlphaFollowsTheProfileBesideTheBar) {
    for (const THaloCase& c : kHaloCases) {
        const TStripGeometry& g = *c.Geometry;
        const int32_t n = NewestSegment(g, c.Frame);
        const double radians = SegmentDegrees(n) * std::numbers::pi / 180;
        const TArcPoint centre = StripCentre(n);
        // The profile's steps at 3, 6 and 10 pixels from the bar's long edge.
        for (const THaloStep& step : {kHaloProfile[1], kHaloProfile[2], kHaloProfile[4]}) {
            const double across = kLitBarWidth / 2 + step.Distance;
            const double x = centre.X + across * std::cos(radians);
            const double y = centre.Y + across * std::sin(radians);
            EXPECT_NEAR(Bilinear(StripImage(g), g, c.Frame, x, y), step.Alpha, 4)
                << "segment " << n << " at " << step.Distance << " pixels";
        }
    }
}

// Every pixel the background paints for a slot lies under an alpha of 128
// or more once its segment is lit, on both faces.
TEST_P(StripTest, LastFrameCoversEverySlotPixel) {
    const int32_t last = G().FrameCount - 1;
    for (int32_t face = 0; face < kFaceCount; ++face) {
        for (int32_t k = 0; k < last; ++k) {
            const int32_t n = G().FirstSegment + k;
            int32_t slotPixels = 0;
            for (int32_t y = 0; y < G().FrameHeight; ++y) {
                for (int32_t x = 0; x < G().FrameWidth; ++x) {
                    const TSegmentPoint at = AtPixel(G(), n, x, y);
                    if (std::abs(at.Along) > kSlotLength / 2 + 1.5 || std::abs(at.Across) > kSlotWidth / 2 + 1.5) {
                        continue;
                    }
                    const uint8_t* bg = Background().At(x + G().Placement.X, y + G().Placement.Y + kFaceHeight * face);
                    const bool painted = std::abs(bg[0] - kPanelColour.R) > 3 || std::abs(bg[1] - kPanelColour.G) > 3 ||
                                         std::abs(bg[2] - kPanelColour.B) > 3;
                    if (painted) {
                        ++slotPixels;
                        EXPECT_GE(Pixel(last, x, y)[3], 128) << "segment " << n << " at " << x << "," << y;
                    }
                }
            }
            EXPECT_GT(slotPixels, int32_t(kSlotLength * kSlotWidth)) << "segment " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Artwork, StripTest, ::testing::ValuesIn(kStripCases),
                         [](const auto& info) { return info.param.Geometry == &kBarStrip ? "Bar" : "Peak"; });

}  // namespace
}  // namespace bvm

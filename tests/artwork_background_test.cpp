// The background: two equal faces with their slots, scale and lettering
// where the strips and the composer expect them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "artwork/geometry.h"
#include "tests/support/png_reader.h"

namespace bvm {
namespace {

const TPng& Background() {
    static const TPng background = ReadPng(ArtworkPath("bg.png"));
    return background;
}

const uint8_t* FacePixel(int32_t face, int32_t x, int32_t y) { return Background().At(x, y + kFaceHeight * face); }

int Difference(const uint8_t* p, TRgb c) {
    return std::max({std::abs(p[0] - c.R), std::abs(p[1] - c.G), std::abs(p[2] - c.B)});
}

TRgb Grey(uint8_t g) { return {g, g, g}; }

bool Inside(const TRect& r, int32_t x, int32_t y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

TEST(ArtworkBackground, FacesAgreeOutsideTheChannelCaption) {
    constexpr TRect kInner{20, 20, 618, 215};
    int inner = 0, outer = 0;
    for (int32_t y = 0; y < kCaptionStrip.Top; ++y) {
        for (int32_t x = 0; x < kBackgroundWidth; ++x) {
            const uint8_t* left = FacePixel(0, x, y);
            int& worst = Inside(kInner, x, y) ? inner : outer;
            worst = std::max(worst, Difference(FacePixel(1, x, y), {left[0], left[1], left[2]}));
        }
    }
    EXPECT_LE(inner, 2);
    EXPECT_LE(outer, 4);
}

TEST(ArtworkBackground, ChannelCaptionsDiffer) {
    int differing = 0;
    for (int32_t y = kChannelCaptionBox.Top; y < kChannelCaptionBox.Bottom; ++y) {
        for (int32_t x = kChannelCaptionBox.Left; x < kChannelCaptionBox.Right; ++x) {
            const uint8_t* left = FacePixel(0, x, y);
            differing += Difference(FacePixel(1, x, y), {left[0], left[1], left[2]}) > 16;
        }
    }
    EXPECT_GT(differing, 10);
}

// Stretches of the panel that carry nothing.
const TRect kBarePanel[] = {
    {58, 40, 90, 70}, {550, 40, 580, 70}, {160, 150, 230, 172}, {420, 150, 520, 172}, {56, 194, 582, 197},
};

TEST(ArtworkBackground, PanelIsNearBlack) {
    for (int32_t face = 0; face < kFaceCount; ++face) {
        for (const TRect& r : kBarePanel) {
            int worst = 0;
            for (int32_t y = r.Top; y < r.Bottom; ++y) {
                for (int32_t x = r.Left; x < r.Right; ++x) {
                    worst = std::max(worst, Difference(FacePixel(face, x, y), kPanelColour));
                }
            }
            EXPECT_LE(worst, 1) << "face " << face << " box at " << r.Left << "," << r.Top;
        }
    }
}

TEST(ArtworkBackground, SlotsHaveTheirFamilyColours) {
    for (int32_t face = 0; face < kFaceCount; ++face) {
        for (const TSegment& s : kSegments) {
            EXPECT_LE(Difference(FacePixel(face, int32_t(s.FaceX), int32_t(s.FaceY)), SlotColour(s.Family)), 3)
                << "face " << face << " segment " << s.N;
        }
    }
}

TEST(ArtworkBackground, ScaleLinesFollowTheirZones) {
    for (const double radius : {kOuterScaleRadius, kInnerScaleRadius}) {
        for (const TSegment& s : kSegments) {
            const TArcPoint at = ArcPoint(SegmentDegrees(s.N), radius);
            const TRgb zone = IsRedZone(s.N) ? kScaleRed : kScaleYellow;
            EXPECT_LE(Difference(FacePixel(0, int32_t(at.X), int32_t(at.Y)), zone), 6)
                << "segment " << s.N << " radius " << radius;
        }
        // The lines end with the cells of the first and last segments.
        for (const double degrees : {SegmentDegrees(1) - kCellHalfDegrees - 0.5,
                                     SegmentDegrees(kSegmentCount) + kCellHalfDegrees + 0.5}) {
            const TArcPoint at = ArcPoint(degrees, radius);
            EXPECT_LE(Difference(FacePixel(0, int32_t(at.X), int32_t(at.Y)), kPanelColour), 1)
                << degrees << " degrees, radius " << radius;
        }
    }
}

struct TInkCase {
    std::string Name;
    TRect Box;
    TRgb Ink;
    int Tolerance;  // for the best-inked pixel, which thin strokes rarely cover fully
};

std::vector<TInkCase> InkCases() {
    std::vector<TInkCase> cases = {
        {"dB left", kUnitLabelLeft, Grey(kUnitLabelGrey), 12},
        {"dB right", kUnitLabelRight, Grey(kUnitLabelGrey), 12},
        {"title", kTitleBox, kTitleColour, 12},
        {"logotype", kLogotypeBox, kRuleColour, 3},
        {"country", kCountryBox, Grey(kLetteringGrey), 12},
        {"model", kModelBox, Grey(kLetteringGrey), 12},
    };
    for (const TSegment& s : kSegments) {
        const TArcPoint at = ArcPoint(SegmentDegrees(s.N), kNumeralRadius);
        const TRect box{int32_t(at.X) - 5, int32_t(at.Y) - 4, int32_t(at.X) + 6, int32_t(at.Y) + 5};
        cases.push_back({"numeral " + std::string(s.Numeral), box, NumeralColour(s.N), 30});
    }
    return cases;
}

TEST(ArtworkBackground, LetteringIsInkedInItsBoxes) {
    for (int32_t face = 0; face < kFaceCount; ++face) {
        for (const TInkCase& c : InkCases()) {
            int best = 255;
            for (int32_t y = c.Box.Top; y < c.Box.Bottom; ++y) {
                for (int32_t x = c.Box.Left; x < c.Box.Right; ++x) {
                    best = std::min(best, Difference(FacePixel(face, x, y), c.Ink));
                }
            }
            EXPECT_LE(best, c.Tolerance) << c.Name << " on face " << face;
        }
    }
}

TEST(ArtworkBackground, RuleRunsAcrossThePanel) {
    for (int32_t face = 0; face < kFaceCount; ++face) {
        for (int32_t y = kRule.Top; y < kRule.Bottom; ++y) {
            for (int32_t x = kRule.Left; x < kRule.Right; ++x) {
                ASSERT_LE(Difference(FacePixel(face, x, y), kRuleColour), 3) << x << "," << y;
            }
        }
    }
}

TEST(ArtworkBackground, ChannelCaptionsAreInked) {
    for (int32_t face = 0; face < kFaceCount; ++face) {
        int best = 255;
        for (int32_t y = kChannelCaptionBox.Top; y < kChannelCaptionBox.Bottom; ++y) {
            for (int32_t x = kChannelCaptionBox.Left; x < kChannelCaptionBox.Right; ++x) {
                best = std::min(best, Difference(FacePixel(face, x, y), Grey(kChannelCaptionGrey)));
            }
        }
        EXPECT_LE(best, 12) << kChannelCaptions[face];
    }
}

}  // namespace
}  // namespace bvm

#pragma once
// The geometry contract between the three artwork images and the composition:
// where the faces, strip frames and segments are, and their colours. The
// artwork generator paints from these values, the composer places sprites by
// them and the artwork tests check the images against them.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "meter/segments.h"
#include "platform/rect.h"

namespace bvm {

// The background: two faces, the left channel's above the right one's.
inline constexpr int32_t kBackgroundWidth = 638;
inline constexpr int32_t kBackgroundHeight = 470;
inline constexpr int32_t kFaceHeight = 235;
inline constexpr int32_t kFaceCount = 2;
static_assert(kFaceHeight * kFaceCount == kBackgroundHeight);

// A strip: frames of equal size stacked from top to bottom, and where a frame's
// top-left corner lands on a face.
struct TStripGeometry {
    int32_t FrameWidth;
    int32_t FrameHeight;
    int32_t FrameCount;
    TPoint Placement;  // face coordinates
    int32_t FirstSegment;  // the segment lit first, in frame 1

    constexpr int32_t Height() const { return FrameHeight * FrameCount; }
    constexpr TRect Frame(int32_t f) const { return {0, FrameHeight * f, FrameWidth, FrameHeight * (f + 1)}; }
    // Where the frame lands on face 0 (left) or 1 (right), relative to the artwork origin.
    constexpr TRect Destination(int32_t face) const {
        return TRect{0, 0, FrameWidth, FrameHeight}.Offset(Placement.X, Placement.Y + kFaceHeight * face);
    }
};

inline constexpr TStripGeometry kBarStrip{323, 76, kBarFrameCount, {86, 78}, 1};
inline constexpr TStripGeometry kPeakStrip{167, 72, kPeakFrameCount, {385, 82}, kBarTopSegment + 1};

// The segment arc, in face coordinates: angles from the upward vertical at the
// arc centre, clockwise positive.
inline constexpr double kArcCentreX = 319.9;
inline constexpr double kArcCentreY = 912.5;
inline constexpr double kSegmentRadius = 811.6;
inline constexpr double kFirstSegmentDegrees = -15.40;
inline constexpr double kSegmentStepDegrees = 0.7854;
inline constexpr double kCellHalfDegrees = 0.39;  // each segment owns its angle +/- this

constexpr double SegmentDegrees(int32_t n) { return kFirstSegmentDegrees + kSegmentStepDegrees * (n - 1); }

struct TArcPoint {
    double X;
    double Y;
};

inline TArcPoint ArcPoint(double degrees, double radius) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {kArcCentreX + radius * std::sin(a), kArcCentreY - radius * std::cos(a)};
}

enum class TFamily { Green, Yellow, Red };

struct TSegment {
    int32_t N;
    const char* Numeral;  // the text painted above the segment
    TFamily Family;
    double FaceX;  // centre as painted, face coordinates
    double FaceY;
};

// The 40 segments of one face. Centres meet the arc rule within 0.4 pixels.
inline constexpr std::array<TSegment, kSegmentCount> kSegments{{
    {1, "-25", TFamily::Green, 104.2, 130.1},
    {2, "24", TFamily::Green, 114.9, 127.1},
    {3, "23", TFamily::Green, 125.6, 124.5},
    {4, "22", TFamily::Green, 136.5, 121.8},
    {5, "21", TFamily::Green, 147.4, 119.4},
    {6, "20", TFamily::Green, 158.3, 117.1},
    {7, "-19", TFamily::Green, 169.2, 115.0},
    {8, "-18", TFamily::Green, 180.2, 113.0},
    {9, "-17", TFamily::Green, 191.2, 111.0},
    {10, "-16", TFamily::Green, 202.2, 109.3},
    {11, "-15", TFamily::Green, 213.3, 107.8},
    {12, "-14", TFamily::Green, 224.4, 106.6},
    {13, "-13", TFamily::Green, 235.5, 105.4},
    {14, "-12", TFamily::Green, 246.6, 104.3},
    {15, "-11", TFamily::Yellow, 257.6, 103.3},
    {16, "-10", TFamily::Yellow, 268.8, 102.7},
    {17, "-9", TFamily::Yellow, 279.8, 102.1},
    {18, "-8", TFamily::Yellow, 291.0, 101.5},
    {19, "-7", TFamily::Yellow, 302.2, 101.0},
    {20, "-6", TFamily::Yellow, 313.5, 101.1},
    {21, "-5", TFamily::Yellow, 324.5, 101.0},
    {22, "-4", TFamily::Yellow, 335.5, 101.3},
    {23, "-3", TFamily::Yellow, 346.7, 101.1},
    {24, "-2", TFamily::Yellow, 358.0, 101.8},
    {25, "-1", TFamily::Red, 369.0, 102.5},
    {26, "0", TFamily::Red, 380.1, 103.3},
    {27, "+1", TFamily::Red, 391.2, 104.2},
    {28, "+2", TFamily::Yellow, 401.8, 104.8},
    {29, "+3", TFamily::Yellow, 412.9, 106.1},
    {30, "+4", TFamily::Yellow, 423.9, 107.4},
    {31, "+5", TFamily::Yellow, 434.9, 108.8},
    {32, "+6", TFamily::Yellow, 445.9, 110.5},
    {33, "+7", TFamily::Yellow, 456.9, 112.3},
    {34, "+8", TFamily::Yellow, 467.9, 114.5},
    {35, "+9", TFamily::Yellow, 478.7, 116.7},
    {36, "10", TFamily::Yellow, 489.6, 118.8},
    {37, "11", TFamily::Yellow, 500.6, 121.1},
    {38, "12", TFamily::Red, 511.4, 124.0},
    {39, "13", TFamily::Red, 522.1, 126.8},
    {40, "14", TFamily::Red, 532.9, 129.5},
}};

constexpr const TSegment& Segment(int32_t n) { return kSegments[n - 1]; }
constexpr bool IsBarSegment(int32_t n) { return n <= kBarTopSegment; }
constexpr const TStripGeometry& StripOf(int32_t n) { return IsBarSegment(n) ? kBarStrip : kPeakStrip; }

// A segment's centre inside the frames of its strip.
constexpr TArcPoint StripCentre(int32_t n) {
    const TSegment& s = Segment(n);
    const TPoint at = StripOf(n).Placement;
    return {s.FaceX - at.X, s.FaceY - at.Y};
}

struct TRgb {
    uint8_t R, G, B;
    friend constexpr bool operator==(const TRgb&, const TRgb&) = default;
};

// Lit bars as stored straight (not premultiplied) in the strips. Across the
// bar the pale centre line holds out to CoreHalfWidth, then turns into the
// edge colour (EdgeHigh) by kLitEdgeStart and deepens to EdgeLow at the rim.
struct TLitColours {
    TRgb CentreLine;  // pale, nearly white
    TRgb EdgeLow;  // saturated edge of the bar; a range where the families vary
    TRgb EdgeHigh;
    TRgb Halo;
    TRgb OpaqueAverage;
    double CoreHalfWidth;
};

inline constexpr TLitColours kLitGreen{{222, 255, 178}, {18, 234, 0}, {18, 234, 0}, {42, 250, 0}, {112, 247, 78}, 0.35};
inline constexpr TLitColours kLitYellow{
    {255, 255, 170}, {227, 205, 0}, {241, 221, 0}, {251, 230, 0}, {249, 240, 78}, 0.5};
inline constexpr TLitColours kLitRed{{255, 104, 104}, {255, 40, 40}, {255, 40, 40}, {252, 0, 0}, {255, 83, 83}, 1.5};
inline constexpr double kLitEdgeStart = 2.3;

constexpr const TLitColours& LitColours(TFamily f) {
    return f == TFamily::Green ? kLitGreen : f == TFamily::Yellow ? kLitYellow : kLitRed;
}

// Unlit slots on the background.
inline constexpr TRgb kSlotGreen{17, 51, 10};
inline constexpr TRgb kSlotYellow{51, 48, 10};
inline constexpr TRgb kSlotRed{61, 31, 31};

constexpr TRgb SlotColour(TFamily f) {
    return f == TFamily::Green ? kSlotGreen : f == TFamily::Yellow ? kSlotYellow : kSlotRed;
}

// The outlines painted for lit bars and slots, along the radial axis and
// across it, with rounded corners. Anti-aliasing leaves about 20 x 5.5 pixels
// of a lit bar fully opaque and 21 to 22 by 6 to 7 at alpha 128 or more; a
// slot is solid over about 18 x 5 pixels and its rim reaches about 20 x 7. The
// bar is wider than the slot so that the rim of the slot stays under it.
inline constexpr double kLitBarLength = 21.4;
inline constexpr double kLitBarWidth = 6.5;
inline constexpr double kLitBarCornerRadius = 1.6;
inline constexpr double kSlotLength = 19.0;
inline constexpr double kSlotWidth = 5.6;
inline constexpr double kSlotCornerRadius = 1.2;

// A point in a segment's own frame: Along its radial axis (outward positive)
// and Across it (positive toward higher segments), from its centre.
struct TSegmentPoint {
    double Along;
    double Across;
};

inline TSegmentPoint ToSegment(int32_t n, double faceX, double faceY) {
    const double a = SegmentDegrees(n) * std::numbers::pi / 180.0;
    const double dx = faceX - Segment(n).FaceX;
    const double dy = faceY - Segment(n).FaceY;
    return {dx * std::sin(a) - dy * std::cos(a), dx * std::cos(a) + dy * std::sin(a)};
}

// Signed distance from the lit bar's outline: negative inside, positive outside.
inline double LitBarDistance(TSegmentPoint p) {
    const double r = kLitBarCornerRadius;
    const double qx = std::abs(p.Across) - (kLitBarWidth / 2 - r);
    const double qy = std::abs(p.Along) - (kLitBarLength / 2 - r);
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

// Halo alpha by distance in pixels from the bar's edge; it fades to 1 from
// about 15 pixels and reaches about 14 pixels beyond each end of the bar.
struct THaloStep {
    double Distance;
    int32_t Alpha;
};
inline constexpr std::array<THaloStep, 8> kHaloProfile{{
    {0, 67}, {3, 50}, {6, 35}, {8, 22}, {10, 12}, {12, 6}, {14, 3}, {15, 1},
}};
inline constexpr double kHaloReach = kHaloProfile.back().Distance;
// Where two halos overlap, the share of the weaker one that adds to the
// stronger: between lit neighbours they add up to alpha 60 to 90.
inline constexpr double kHaloOverlap = 0.5;
// Near a frame's edge the halos fade out over this width, so that the edge
// itself shows nothing but the floor.
inline constexpr double kEdgeFadeWidth = 6.0;
// No halo may show a frame edge.
inline constexpr int32_t kMaxEdgeAlpha = 2;
inline constexpr int32_t kFloorAlpha = 1;  // black everywhere no halo reaches

// The two scale lines, concentric with the segments, about 3 pixels thick,
// spanning the cells of segments 1 to 40.
inline constexpr double kOuterScaleRadius = 825.6;
inline constexpr double kInnerScaleRadius = 798.1;
inline constexpr double kScaleLineWidth = 3.0;
inline constexpr TRgb kScaleYellow{255, 253, 0};
inline constexpr TRgb kScaleRed{255, 0, 0};

// Segments whose cells the scale lines and numerals mark red.
constexpr bool IsRedZone(int32_t n) { return (n >= 25 && n <= 27) || n >= 38; }

// Numerals: centred on each segment's radial line.
inline constexpr double kNumeralRadius = 832.5;
inline constexpr double kNumeralHeight = 8.0;
// Narrowed so that the three-character numerals from -19 to -10 nearly touch.
inline constexpr double kNumeralCondense = 0.66;
inline constexpr TRgb kNumeralGrey{185, 183, 183};  // segments 1 to 24
inline constexpr TRgb kNumeralRed{220, 0, 0};
inline constexpr TRgb kNumeralYellow{220, 202, 0};  // segments 28 to 37

constexpr TRgb NumeralColour(int32_t n) {
    return n <= 24 ? kNumeralGrey : IsRedZone(n) ? kNumeralRed : kNumeralYellow;
}

// Red captions just inside the inner scale line.
struct TRangeCaption {
    const char* Text;
    double FromDegrees;
    double ToDegrees;
};
inline constexpr double kCaptionInnerRadius = 787.0;
inline constexpr double kCaptionOuterRadius = 794.0;
inline constexpr TRgb kCaptionRed{217, 0, 0};
inline constexpr TRangeCaption kPersistenceCaption{"NORMAL PERSISTENCE RANGE", -13.9, 1.1};
inline constexpr TRangeCaption kPeakCaption{"NORMAL PEAK RANGE", 5.8, 12.3};
inline constexpr double kCaptionCondense = 0.85;

// Layout of a face, in face coordinates.
inline constexpr TRect kBezelLeft{0, 0, 15, kFaceHeight};
inline constexpr TRect kBezelRight{623, 0, kBackgroundWidth, kFaceHeight};
inline constexpr TRect kBezelTop{0, 0, kBackgroundWidth, 12};
inline constexpr TRect kDialPanel{54, 37, 584, 197};
inline constexpr TRect kRecess{15, 12, 623, 224};  // walls around the panel: the inside of an open box
inline constexpr TRect kCaptionStrip{0, 224, kBackgroundWidth, kFaceHeight};
inline constexpr TRgb kPanelColour{20, 20, 20};  // varies by 1

// The housing around the panel, as grey levels where a single value serves.
inline constexpr uint8_t kBezelGrey = 36;  // with a fine texture of +/- 2
inline constexpr uint8_t kBezelEdgeGrey = 72;  // its top row catches the light
inline constexpr TRgb kTopWallColour{31, 29, 20};
inline constexpr uint8_t kSideWallTopGrey = 25;  // lighter toward the bottom
inline constexpr uint8_t kSideWallBottomGrey = 33;
inline constexpr uint8_t kSillSideGrey = 34;  // lit most in the middle
inline constexpr uint8_t kSillMiddleGrey = 77;
inline constexpr uint8_t kCaptionStripGrey = 33;
inline constexpr uint8_t kCaptionStripLineGrey = 58;  // its top row

// Lettering boxes (inclusive pixel bounds are one less on the right and bottom).
inline constexpr TRect kUnitLabelLeft{81, 129, 96, 140};
inline constexpr TRect kUnitLabelRight{541, 131, 557, 140};
inline constexpr uint8_t kUnitLabelGrey = 136;
inline constexpr double kUnitLabelHeight = 9.5;
inline constexpr double kUnitLabelBeyondDegrees = 1.2;  // on the segment circle, past each end
inline constexpr TRect kTitleBox{245, 139, 394, 160};
inline constexpr TRgb kTitleColour{167, 173, 184};
inline constexpr double kTitleCondense = 0.94;
inline constexpr TRect kRule{54, 179, 584, 181};
inline constexpr TRect kLogotypeBox{269, 158, 362, 186};
inline constexpr TRgb kRuleColour{158, 160, 163};  // the rule and the logotype
inline constexpr TRect kCountryBox{62, 185, 149, 193};
inline constexpr TRect kModelBox{481, 185, 574, 193};
inline constexpr uint8_t kLetteringGrey = 120;  // country and model lines
inline constexpr TRect kChannelCaptionBox{300, 226, 340, 232};
inline constexpr uint8_t kChannelCaptionGrey = 136;
inline constexpr const char* kChannelCaptions[kFaceCount] = {"LEFT", "RIGHT"};

// The wording, neutral: no maker's or product's name but our own.
inline constexpr const char* kTitleText = "Brisvaldomatics";
inline constexpr const char* kLogotypeText = "Dynamics";
inline constexpr const char* kCountryText = "HAND ASSEMBLED";
inline constexpr const char* kModelText = "TYPE BVM 40";

}  // namespace bvm

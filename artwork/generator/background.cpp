#include "artwork/generator/background.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>

#include "artwork/generator/shapes.h"
#include "artwork/geometry.h"

namespace bvm {
namespace {

using TSurface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using TContext = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

constexpr double kPi = std::numbers::pi;

struct TColour {
    double R, G, B;
};

TColour Grey(double g) { return {g, g, g}; }
TColour Scale(TRgb c, double f) { return {c.R * f, c.G * f, c.B * f}; }

// A fixed pseudo-random value in [-1, 1] for each pixel and layer, so that
// the texture is the same on every run and on both faces.
double Noise(int32_t x, int32_t y, uint32_t layer) {
    uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ layer * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffffu) / 32767.5 - 1;
}

// --- The housing: bezel, recess walls, panel, caption strip ---------------

// Texture amplitudes in grey levels: the panel and strip vary by 1 at most.
constexpr double kFineGrain = 0.6;
constexpr double kWallGrain = 0.8;
constexpr double kBezelGrain = 2;

constexpr double kOpeningLeft = kRecess.Left;
constexpr double kOpeningRight = kRecess.Right;
constexpr double kOpeningTop = kRecess.Top;
constexpr double kOpeningBottom = kRecess.Bottom;
constexpr double kSupersamples = 4;  // a side, for the diagonal corner edges
constexpr double kPanelShadow = 0.30;  // how much a wall darkens where it meets the panel
constexpr double kLipShadow = 0.18;  // and just inside the bezel's lip
constexpr double kCornerShadow = 0.16;  // along the diagonal creases
constexpr double kShadowWidth = 1.5;  // pixels
// Light falls in from the front and above: the top wall is darkest at the
// opening, the sill and the side walls toward the panel.
constexpr double kTopWallFrontShade = 0.85;
constexpr double kSillBackShade = 0.8;
constexpr double kSideWallBackShade = 0.92;
constexpr double kSideWallFrontShade = 1.04;

// A wall seen from the front, at a point of the recess off the panel. The
// wall whose depth fraction is the smallest owns the point; on the diagonal
// lines from the opening's corners to the panel's two walls meet.
TColour WallColour(double x, double y) {
    const double wallPixels[] = {kDialPanel.Top - kOpeningTop, kDialPanel.Left - kOpeningLeft,
                                 kOpeningRight - kDialPanel.Right, kOpeningBottom - kDialPanel.Bottom};
    const double depths[] = {(y - kOpeningTop) / wallPixels[0], (x - kOpeningLeft) / wallPixels[1],
                             (kOpeningRight - x) / wallPixels[2], (kOpeningBottom - y) / wallPixels[3]};
    const int32_t wall = int32_t(std::min_element(std::begin(depths), std::end(depths)) - std::begin(depths));
    const double depth = depths[wall];
    TColour c{};
    if (wall == 0) {
        c = Scale(kTopWallColour, kTopWallFrontShade + (1 - kTopWallFrontShade) * depth);
    } else if (wall == 3) {
        const double across = (x - (kOpeningLeft + kOpeningRight) / 2) / ((kOpeningRight - kOpeningLeft) / 2);
        const double light = std::pow(std::cos(across * kPi / 2), 2);
        c = Grey((kSillSideGrey + (kSillMiddleGrey - kSillSideGrey) * light) * (1 - (1 - kSillBackShade) * depth));
    } else {
        const double down = (y - kOpeningTop) / (kOpeningBottom - kOpeningTop);
        const double shade = kSideWallFrontShade + (kSideWallBackShade - kSideWallFrontShade) * depth;
        c = Grey((kSideWallTopGrey + (kSideWallBottomGrey - kSideWallTopGrey) * down) * shade);
    }
    // The crease to the nearest other wall, in pixels across this wall.
    double crease = 1e9;
    for (int32_t other = 0; other < 4; ++other) {
        if (other != wall) {
            crease = std::min(crease, (depths[other] - depth) * wallPixels[wall]);
        }
    }
    const auto shadow = [](double strength, double pixels) {
        return 1 - strength * std::exp(-pixels / kShadowWidth);
    };
    const double f = shadow(kPanelShadow, (1 - depth) * wallPixels[wall]) * shadow(kLipShadow, depth * wallPixels[wall]) *
                     shadow(kCornerShadow, crease);
    return {c.R * f, c.G * f, c.B * f};
}

bool Inside(const TRect& r, int32_t x, int32_t y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

TColour HousingPixel(int32_t x, int32_t y) {
    if (y >= kCaptionStrip.Top) {
        return Grey((y == kCaptionStrip.Top ? kCaptionStripLineGrey : kCaptionStripGrey) + kFineGrain * Noise(x, y, 1));
    }
    if (Inside(kDialPanel, x, y)) {
        return Grey(kPanelColour.R + kFineGrain * Noise(x, y, 2));
    }
    if (!Inside(kRecess, x, y)) {
        return Grey((y == 0 ? kBezelEdgeGrey : kBezelGrey) + kBezelGrain * Noise(x, y, 3));
    }
    TColour sum{0, 0, 0};
    for (int32_t i = 0; i < kSupersamples; ++i) {
        for (int32_t j = 0; j < kSupersamples; ++j) {
            const TColour c = WallColour(x + (i + 0.5) / kSupersamples, y + (j + 0.5) / kSupersamples);
            sum = {sum.R + c.R, sum.G + c.G, sum.B + c.B};
        }
    }
    const double n = kSupersamples * kSupersamples;
    const double grain = kWallGrain * Noise(x, y, 4);
    return {sum.R / n + grain, sum.G / n + grain, sum.B / n + grain};
}

uint32_t Pack(TColour c) {
    const auto level = [](double v) { return uint32_t(std::clamp(std::lround(v), 0L, 255L)); };
    return level(c.R) << 16 | level(c.G) << 8 | level(c.B);
}

void PaintHousing(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int32_t y = 0; y < kFaceHeight; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int32_t x = 0; x < kBackgroundWidth; ++x) {
            row[x] = Pack(HousingPixel(x, y));
        }
    }
    cairo_surface_mark_dirty(surface);
}

// --- Lettering -------------------------------------------------------------

void SetColour(cairo_t* cr, TRgb c) { cairo_set_source_rgb(cr, c.R / 255.0, c.G / 255.0, c.B / 255.0); }

// Chooses the font size at which the sample's ink is the given height, and
// narrows the letters by the condense factor.
void SetFont(cairo_t* cr, cairo_font_face_t* face, const char* sample, double inkHeight, double condense = 1) {
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, 100);
    cairo_text_extents_t e;
    cairo_text_extents(cr, sample, &e);
    const double size = 100 * inkHeight / e.height;
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, size * condense, size);
    cairo_set_font_matrix(cr, &m);
}

// Shows the text with its ink centred on the point of the current space.
void ShowCentred(cairo_t* cr, const char* text, double x, double y) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_move_to(cr, x - e.x_bearing - e.width / 2, y - e.y_bearing - e.height / 2);
    cairo_show_text(cr, text);
}

// Shows upright text with its ink centred across the column and its baseline
// on a row boundary, where the hinted letters come out crisp.
void ShowOnBaseline(cairo_t* cr, const char* text, double x, int32_t baseline) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_move_to(cr, std::round(x - e.x_bearing - e.width / 2), baseline);
    cairo_show_text(cr, text);
}

// Shows the text centred on a point of the face, turned to follow the arc.
void ShowTurned(cairo_t* cr, const char* text, TArcPoint at, double degrees) {
    cairo_save(cr);
    cairo_translate(cr, at.X, at.Y);
    cairo_rotate(cr, Radians(degrees));
    ShowCentred(cr, text, 0, 0);
    cairo_restore(cr);
}

// Lays the text along the arc from one angle to the other with its baseline
// at the radius, each letter upright toward the arc centre, spaced evenly.
void ShowAlongArc(cairo_t* cr, const TRangeCaption& caption, double baselineRadius, double capHeight) {
    const std::string text = caption.Text;
    const double textRadius = baselineRadius + capHeight / 2;
    const double span = Radians(caption.ToDegrees - caption.FromDegrees) * textRadius;
    double natural = 0;
    for (const char c : text) {
        cairo_text_extents_t e;
        cairo_text_extents(cr, std::string(1, c).c_str(), &e);
        natural += e.x_advance;
    }
    const double tracking = (span - natural) / double(text.size() - 1);
    double along = 0;
    for (const char c : text) {
        const std::string letter(1, c);
        cairo_text_extents_t e;
        cairo_text_extents(cr, letter.c_str(), &e);
        const double degrees = caption.FromDegrees + (along + e.x_advance / 2) / textRadius * 180 / kPi;
        const TArcPoint at = ArcPoint(degrees, baselineRadius);
        cairo_save(cr);
        cairo_translate(cr, at.X, at.Y);
        cairo_rotate(cr, Radians(degrees));
        cairo_move_to(cr, -e.x_advance / 2, 0);
        cairo_show_text(cr, letter.c_str());
        cairo_restore(cr);
        along += e.x_advance + tracking;
    }
}

void SetFontOptions(cairo_t* cr, cairo_hint_style_t hinting) {
    const std::unique_ptr<cairo_font_options_t, decltype(&cairo_font_options_destroy)> options(
        cairo_font_options_create(), cairo_font_options_destroy);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), hinting);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options.get());
}

// --- The dial --------------------------------------------------------------

void PaintSlots(cairo_t* cr) {
    for (const TSegment& s : kSegments) {
        cairo_save(cr);
        cairo_translate(cr, s.FaceX, s.FaceY);
        cairo_rotate(cr, Radians(SegmentDegrees(s.N)));
        RoundedBar(cr, kSlotWidth, kSlotLength, kSlotCornerRadius);
        SetColour(cr, SlotColour(s.Family));
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

// An arc of the face's circle between two angles (degrees from the upward vertical).
void FaceArc(cairo_t* cr, double radius, double fromDegrees, double toDegrees) {
    cairo_new_path(cr);
    cairo_arc(cr, kArcCentreX, kArcCentreY, radius, Radians(fromDegrees - 90), Radians(toDegrees - 90));
}

void PaintScaleLines(cairo_t* cr) {
    cairo_set_line_width(cr, kScaleLineWidth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (const double radius : {kOuterScaleRadius, kInnerScaleRadius}) {
        // Zones meet half-way between neighbouring cells.
        int32_t first = 1;
        for (int32_t n = 1; n <= kSegmentCount; ++n) {
            if (n == kSegmentCount || IsRedZone(n + 1) != IsRedZone(first)) {
                const double from = first == 1 ? SegmentDegrees(1) - kCellHalfDegrees
                                                : SegmentDegrees(first) - kSegmentStepDegrees / 2;
                const double to = n == kSegmentCount ? SegmentDegrees(n) + kCellHalfDegrees
                                                     : SegmentDegrees(n) + kSegmentStepDegrees / 2;
                FaceArc(cr, radius, from, to);
                SetColour(cr, IsRedZone(first) ? kScaleRed : kScaleYellow);
                cairo_stroke(cr);
                first = n + 1;
            }
        }
    }
}

void PaintNumerals(cairo_t* cr, const TFonts& fonts) {
    SetFont(cr, fonts.TechnicalBold.get(), "0", kNumeralHeight, kNumeralCondense);
    for (const TSegment& s : kSegments) {
        const double degrees = SegmentDegrees(s.N);
        SetColour(cr, NumeralColour(s.N));
        ShowTurned(cr, s.Numeral, ArcPoint(degrees, kNumeralRadius), degrees);
    }
}

void PaintRangeCaptions(cairo_t* cr, const TFonts& fonts) {
    const double capHeight = kCaptionOuterRadius - kCaptionInnerRadius;
    SetFont(cr, fonts.Technical.get(), "H", capHeight, kCaptionCondense);
    SetColour(cr, kCaptionRed);
    for (const TRangeCaption& caption : {kPersistenceCaption, kPeakCaption}) {
        ShowAlongArc(cr, caption, kCaptionInnerRadius, capHeight);
    }
}

void PaintUnitLabels(cairo_t* cr, const TFonts& fonts) {
    SetFont(cr, fonts.Technical.get(), "dB", kUnitLabelHeight);
    SetColour(cr, {kUnitLabelGrey, kUnitLabelGrey, kUnitLabelGrey});
    for (const double degrees : {SegmentDegrees(1) - kUnitLabelBeyondDegrees,
                                 SegmentDegrees(kSegmentCount) + kUnitLabelBeyondDegrees}) {
        ShowTurned(cr, "dB", ArcPoint(degrees, kSegmentRadius), degrees);
    }
}

double CentreX(const TRect& r) { return (r.Left + r.Right) / 2.0; }

// Upright lettering stands on the bottom of its box; the logotype stands on
// the middle of the rule, so that its strokes run into it.
void PaintLettering(cairo_t* cr, const TFonts& fonts) {
    SetFont(cr, fonts.Title.get(), kTitleText, kTitleBox.Height() - 4, kTitleCondense);
    SetColour(cr, kTitleColour);
    ShowOnBaseline(cr, kTitleText, CentreX(kTitleBox), kTitleBox.Bottom - 2);

    SetColour(cr, kRuleColour);
    cairo_rectangle(cr, kRule.Left, kRule.Top, kRule.Width(), kRule.Height());
    cairo_fill(cr);
    SetFont(cr, fonts.Script.get(), kLogotypeText, kLogotypeBox.Height() - 3);
    ShowOnBaseline(cr, kLogotypeText, CentreX(kLogotypeBox), kRule.Top + 1);

    const uint8_t g = kLetteringGrey;
    SetColour(cr, {g, g, g});
    SetFont(cr, fonts.Technical.get(), "H", kCountryBox.Height() - 1);
    ShowOnBaseline(cr, kCountryText, CentreX(kCountryBox), kCountryBox.Bottom - 1);
    ShowOnBaseline(cr, kModelText, CentreX(kModelBox), kModelBox.Bottom - 1);
}

void PaintDial(cairo_t* cr, const TFonts& fonts) {
    PaintSlots(cr);
    PaintScaleLines(cr);
    SetFontOptions(cr, CAIRO_HINT_STYLE_NONE);  // turned text: no grid to snap to
    PaintNumerals(cr, fonts);
    PaintRangeCaptions(cr, fonts);
    PaintUnitLabels(cr, fonts);
    SetFontOptions(cr, CAIRO_HINT_STYLE_SLIGHT);
    PaintLettering(cr, fonts);
}

void PaintChannelCaption(cairo_t* cr, const TFonts& fonts, int32_t face) {
    SetFontOptions(cr, CAIRO_HINT_STYLE_SLIGHT);
    SetFont(cr, fonts.TechnicalBold.get(), "H", kChannelCaptionBox.Height() - 1);
    const uint8_t g = kChannelCaptionGrey;
    SetColour(cr, {g, g, g});
    ShowOnBaseline(cr, kChannelCaptions[face], CentreX(kChannelCaptionBox),
                   kChannelCaptionBox.Bottom - 1 + kFaceHeight * face);
}

}  // namespace

TImage PaintBackground(const TFonts& fonts) {
    const TSurface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kBackgroundWidth, kBackgroundHeight),
                           cairo_surface_destroy);
    const TContext cr(cairo_create(surface.get()), cairo_destroy);
    PaintHousing(surface.get());
    PaintDial(cr.get(), fonts);

    // The right channel's face is the left one's, 235 rows lower.
    cairo_surface_flush(surface.get());
    uint8_t* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    std::memcpy(data + kFaceHeight * stride, data, std::size_t(kFaceHeight) * stride);
    cairo_surface_mark_dirty(surface.get());
    for (int32_t face = 0; face < kFaceCount; ++face) {
        PaintChannelCaption(cr.get(), fonts, face);
    }

    cairo_surface_flush(surface.get());
    TImage image(kBackgroundWidth, kBackgroundHeight, 3);
    for (int32_t y = 0; y < kBackgroundHeight; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int32_t x = 0; x < kBackgroundWidth; ++x) {
            uint8_t* out = image.At(x, y);
            out[0] = uint8_t(row[x] >> 16);
            out[1] = uint8_t(row[x] >> 8);
            out[2] = uint8_t(row[x]);
        }
    }
    return image;
}

}  // namespace bvm

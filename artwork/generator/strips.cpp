#include "artwork/generator/strips.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "artwork/generator/shapes.h"

namespace bvm {
namespace {

struct TColour {
    double R, G, B;
};

TColour Mix(TRgb from, TRgb to, double t) {
    return {from.R + (to.R - from.R) * t, from.G + (to.G - from.G) * t, from.B + (to.B - from.B) * t};
}

double SmoothStep(double from, double to, double x) {
    const double t = std::clamp((x - from) / (to - from), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Coverage and premultiplied colour, with source-over: what the painted
// layers add up to, kept apart from the floor so that the floor's black does
// not darken the halo colours that are stored straight.
struct TPaint {
    double A = 0;
    TColour P{0, 0, 0};

    void Over(double a, TColour c) {
        A = a + A * (1 - a);
        P = {c.R * a + P.R * (1 - a), c.G * a + P.G * (1 - a), c.B * a + P.B * (1 - a)};
    }

    // Overlapping halos: the weaker adds a share of itself to the stronger,
    // so that the glow between two lit neighbours stays below the bars.
    void Join(double a, TColour c) {
        const double kept = a >= A ? kHaloOverlap : 1;
        const double added = a >= A ? 1 : kHaloOverlap;
        A = A * kept + a * added;
        P = {P.R * kept + c.R * a * added, P.G * kept + c.G * a * added, P.B * kept + c.B * a * added};
    }
};

// The halo's own alpha (0 to 1) at a distance from the bar's outline, such
// that over the floor the total meets the profile.
double HaloAlpha(double distance) {
    const double floor = kFloorAlpha;
    double alpha = 0;
    if (distance <= kHaloProfile.front().Distance) {
        alpha = kHaloProfile.front().Alpha;
    }
    for (std::size_t i = 1; i < kHaloProfile.size(); ++i) {
        const THaloStep& a = kHaloProfile[i - 1];
        const THaloStep& b = kHaloProfile[i];
        if (distance > a.Distance && distance <= b.Distance) {
            alpha = a.Alpha + (b.Alpha - a.Alpha) * (distance - a.Distance) / (b.Distance - a.Distance);
        }
    }
    return std::max(alpha - floor, 0.0) / (255 - floor);
}

TColour BarColour(const TLitColours& lit, TSegmentPoint p) {
    const double across = std::abs(p.Across);
    const double toEnd = kLitBarLength / 2 - std::abs(p.Along);
    const double core = (1 - SmoothStep(lit.CoreHalfWidth, kLitEdgeStart, across)) * SmoothStep(0.5, 2.5, toEnd);
    const TColour edge = Mix(lit.EdgeHigh, lit.EdgeLow, SmoothStep(kLitEdgeStart, kLitBarWidth / 2, across));
    return {edge.R + (lit.CentreLine.R - edge.R) * core, edge.G + (lit.CentreLine.G - edge.G) * core,
            edge.B + (lit.CentreLine.B - edge.B) * core};
}

TColour Colour(TRgb c) { return {double(c.R), double(c.G), double(c.B)}; }

// One lit segment as it lies in every frame of its strip.
struct TLitSegment {
    int32_t N;
    TArcPoint Centre;  // in the frame
    std::vector<uint8_t> Coverage;  // of the bar's outline, one byte a pixel
};

// The outline's coverage comes from cairo's anti-aliasing.
std::vector<uint8_t> BarCoverage(const TStripGeometry& strip, int32_t n) {
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_A8, strip.FrameWidth, strip.FrameHeight), cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    const TArcPoint c = StripCentre(n);
    cairo_translate(cr.get(), c.X, c.Y);
    cairo_rotate(cr.get(), Radians(SegmentDegrees(n)));
    RoundedBar(cr.get(), kLitBarWidth, kLitBarLength, kLitBarCornerRadius);
    cairo_fill(cr.get());
    cairo_surface_flush(surface.get());

    std::vector<uint8_t> coverage(std::size_t(strip.FrameWidth) * strip.FrameHeight);
    const uint8_t* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int32_t y = 0; y < strip.FrameHeight; ++y) {
        std::copy_n(data + y * stride, strip.FrameWidth, coverage.begin() + std::ptrdiff_t(y) * strip.FrameWidth);
    }
    return coverage;
}

// How far the pixel's centre is from the nearest frame edge, as a fade factor.
double EdgeFade(const TStripGeometry& strip, int32_t x, int32_t y) {
    const double e = std::min({x + 0.5, strip.FrameWidth - x - 0.5, y + 0.5, strip.FrameHeight - y - 0.5});
    return SmoothStep(0.5, 0.5 + kEdgeFadeWidth, e);
}

void PaintFrame(const TStripGeometry& strip, const std::vector<TLitSegment>& lit, TImage& image, int32_t frame) {
    const int32_t w = strip.FrameWidth;
    const int32_t h = strip.FrameHeight;
    std::vector<TPaint> paint(std::size_t(w) * h);
    const int32_t reach = int32_t(std::ceil(kLitBarLength / 2 + kHaloReach)) + 1;
    // Halos first and the bars over them, so that a bar looks the same in
    // every frame and only its anti-aliased rim takes a neighbour's tint.
    for (const bool bars : {false, true}) {
        for (int32_t k = 0; k < frame; ++k) {
            const TLitSegment& s = lit[std::size_t(k)];
            const TLitColours& colours = LitColours(Segment(s.N).Family);
            const int32_t cx = int32_t(s.Centre.X);
            const int32_t cy = int32_t(s.Centre.Y);
            for (int32_t y = std::max(cy - reach, 0); y < std::min(cy + reach, h); ++y) {
                for (int32_t x = std::max(cx - reach, 0); x < std::min(cx + reach, w); ++x) {
                    const std::size_t i = std::size_t(y) * w + x;
                    const TSegmentPoint p = ToSegment(s.N, x + 0.5 + strip.Placement.X, y + 0.5 + strip.Placement.Y);
                    if (bars) {
                        if (s.Coverage[i] != 0) {
                            paint[i].Over(s.Coverage[i] / 255.0, BarColour(colours, p));
                        }
                    } else if (const double a = HaloAlpha(LitBarDistance(p)) * EdgeFade(strip, x, y); a > 0) {
                        paint[i].Join(a, Colour(colours.Halo));
                    }
                }
            }
        }
    }
    const double floor = kFloorAlpha / 255.0;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const TPaint& p = paint[std::size_t(y) * w + x];
            uint8_t* out = image.At(x, frame * h + y);
            if (p.A * 255 < 0.5) {
                out[0] = out[1] = out[2] = 0;
                out[3] = kFloorAlpha;
                continue;
            }
            const auto straight = [&](double c) { return uint8_t(std::clamp(std::lround(c / p.A), 0L, 255L)); };
            out[0] = straight(p.P.R);
            out[1] = straight(p.P.G);
            out[2] = straight(p.P.B);
            out[3] = uint8_t(std::lround((p.A + floor * (1 - p.A)) * 255));
        }
    }
}

}  // namespace

TImage PaintStrip(const TStripGeometry& strip) {
    TImage image(strip.FrameWidth, strip.Height(), 4);
    // Frame 0 is transparent white.
    for (int32_t y = 0; y < strip.FrameHeight; ++y) {
        for (int32_t x = 0; x < strip.FrameWidth; ++x) {
            uint8_t* out = image.At(x, y);
            out[0] = out[1] = out[2] = 255;
            out[3] = 0;
        }
    }
    std::vector<TLitSegment> lit;
    for (int32_t f = 1; f < strip.FrameCount; ++f) {
        const int32_t n = strip.FirstSegment + f - 1;
        lit.push_back({n, StripCentre(n), BarCoverage(strip, n)});
    }
    for (int32_t f = 1; f < strip.FrameCount; ++f) {
        PaintFrame(strip, lit, image, f);
    }
    return image;
}

}  // namespace bvm

#include "platform/graphics.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/portable/pixels.h"

namespace bvm {
namespace {

// A row's pixels that the blend changes, and where their results are kept.
struct TRun {
    int32_t Row;
    int32_t Left;
    int32_t Length;
    size_t Offset;  // in bytes, into the kept pixels
};

constexpr int32_t kMergeGap = 16;

}  // namespace

struct TBlendedSprite::TRuns {
    std::vector<TRun> Runs;
    std::vector<uint8_t> Pixels;
};

TBlendedSprite::TBlendedSprite(const TACLDib& strip, const TRect& source, const TACLDib& background, TPoint at,
                               const TRect& uncertain)
    : FStrip(&strip), FSource(source), FUncertain(uncertain), FRuns(std::make_unique<TRuns>()) {
    const int32_t width = source.Width(), height = source.Height();
    if (!strip.Bounds().Contains(source)) return;  // draws nothing, as the blend would
    if (!background.Bounds().Contains(TRect{0, 0, width, height}.Offset(at.X, at.Y))) {
        // Nothing is known of what lies under it.
        FUncertain = {0, 0, width, height};
        return;
    }
    std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* under = background.Bits() + ptrdiff_t{at.Y + y} * background.Stride() + ptrdiff_t{at.X} * 4;
        std::memcpy(row.data(), under, row.size());
        portable::BlendRow(row.data(), strip.Bits() + ptrdiff_t{source.Top + y} * strip.Stride() + ptrdiff_t{source.Left} * 4,
                           width);
        const auto changed = [&](int32_t x) { return std::memcmp(&row[x * 4], under + x * 4, 4) != 0; };
        const auto certain = [&](int32_t x) { return !uncertain.Contains(x, y); };
        for (int32_t x = 0; x < width;) {
            if (!certain(x) || !changed(x)) {
                ++x;
                continue;
            }
            // A short gap of unchanged pixels is copied along: one longer copy
            // costs less than two.
            const int32_t left = x;
            int32_t right = x + 1;
            for (int32_t next = right; next < width && next - right <= kMergeGap && certain(next); ++next)
                if (changed(next)) right = next + 1;
            x = right;
            FRuns->Runs.push_back({y, left, right - left, FRuns->Pixels.size()});
            FRuns->Pixels.insert(FRuns->Pixels.end(), row.begin() + left * 4, row.begin() + right * 4);
        }
    }
}

TBlendedSprite::~TBlendedSprite() = default;
TBlendedSprite::TBlendedSprite(TBlendedSprite&&) noexcept = default;
TBlendedSprite& TBlendedSprite::operator=(TBlendedSprite&&) noexcept = default;

void TBlendedSprite::Draw(HDC dc, TPoint destination) const {
    if (!portable::Drawable(dc)) return;
    for (const TRun& run : FRuns->Runs) {
        const int32_t y = destination.Y + run.Row;
        if (y < 0 || y >= dc->Height) continue;
        const int32_t from = std::max(destination.X + run.Left, 0);
        const int32_t to = std::min(destination.X + run.Left + run.Length, dc->Width);
        if (from >= to) continue;
        std::memcpy(dc->Bits + ptrdiff_t{y} * dc->Stride + ptrdiff_t{from} * 4,
                    FRuns->Pixels.data() + run.Offset + size_t(from - destination.X - run.Left) * 4,
                    size_t(to - from) * 4);
    }
    if (FUncertain.Width() > 0 && FUncertain.Height() > 0)
        FStrip->DrawBlend(dc, FUncertain.Offset(destination.X, destination.Y),
                          FUncertain.Offset(FSource.Left, FSource.Top));
}

}  // namespace bvm

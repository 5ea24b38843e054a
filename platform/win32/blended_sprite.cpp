#include "platform/graphics.h"

namespace bvm {

// GDI keeps the stated call: nothing is prepared, the frame is blended whole.
struct TBlendedSprite::TRuns {};

TBlendedSprite::TBlendedSprite(const TACLDib& strip, const TRect& source, const TACLDib&, TPoint, const TRect& uncertain)
    : FStrip(&strip), FSource(source), FUncertain(uncertain) {}

TBlendedSprite::~TBlendedSprite() = default;
TBlendedSprite::TBlendedSprite(TBlendedSprite&&) noexcept = default;
TBlendedSprite& TBlendedSprite::operator=(TBlendedSprite&&) noexcept = default;

void TBlendedSprite::Draw(HDC dc, TPoint destination) const {
    FStrip->DrawBlend(dc, TRect{0, 0, FSource.Width(), FSource.Height()}.Offset(destination.X, destination.Y), FSource);
}

}  // namespace bvm

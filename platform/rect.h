#pragma once
// Points and rectangles in pixels; rectangles exclude their right and bottom.

#include <cstdint>

namespace bvm {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    constexpr TRect Offset(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace bvm

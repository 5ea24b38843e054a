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
    constexpr bool IsEmpty() const { return Left >= Right || Top >= Bottom; }
    constexpr bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    // Whether `inner` lies inside, edges included; an empty one does not.
    constexpr bool Contains(const TRect& inner) const {
        return !inner.IsEmpty() && inner.Left >= Left && inner.Top >= Top && inner.Right <= Right &&
               inner.Bottom <= Bottom;
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Intersect(const TRect& a, const TRect& b) {
    return {a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top, a.Right < b.Right ? a.Right : b.Right,
            a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
}

}  // namespace bvm

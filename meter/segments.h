#pragma once
// How the meter's 40 segments are numbered: segment n stands for n - 26 dB.
// The persistence bar lights segments 1 to 27, the peak-hold display 28 to 40.

#include <cstdint>

namespace bvm {

inline constexpr int32_t kSegmentCount = 40;
inline constexpr int32_t kZeroDbSegment = 26;
inline constexpr int32_t kBarTopSegment = 27;
inline constexpr int32_t kPeakTopSegment = kSegmentCount;
// Frames of the two sprite strips: frame 0 lights nothing.
inline constexpr int32_t kBarFrameCount = kBarTopSegment + 1;
inline constexpr int32_t kPeakFrameCount = kPeakTopSegment - kBarTopSegment + 1;

constexpr int32_t SegmentDecibels(int32_t segment) { return segment - kZeroDbSegment; }

}  // namespace bvm

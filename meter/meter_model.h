#pragma once
// The meter model: peak value to segment index, and the per-frame steps of the
// persistence bar and the peak-hold display. Pure logic; time is counted in
// frames, so the meter's speed follows the host's frame rate.

#include <array>
#include <cstdint>

#include "meter/segments.h"

namespace bvm {

// Entry k is k - 26 dB; the quantiser counts the entries a level exceeds.
inline constexpr std::array<int32_t, kSegmentCount + 1> kThresholds = [] {
    std::array<int32_t, kSegmentCount + 1> table{};
    for (int32_t k = 0; k <= kSegmentCount; ++k) table[k] = SegmentDecibels(k);
    return table;
}();

// Returns 0 to 41 (41: louder than the top segment). Safe with floating-point
// traps unmasked: zero, negative, infinite and NaN inputs give 0 without any
// floating-point operation on them.
int32_t QuantizeLevel(float peak) noexcept;

// Updates the peak-hold level P and its decay counter C; returns the index
// capped at 40, which is what the bar step receives.
int32_t PeakStep(int32_t& P, int32_t& C, int32_t index) noexcept;

// Updates the bar level V, its attack counter A and its decay counter E.
void BarStep(int32_t& V, int32_t& A, int32_t& E, int32_t index) noexcept;

// One channel's state, wherever its five values are stored.
struct TChannelState {
    int32_t& VU;   // bar level, 0 to 27
    int32_t& P;    // peak-hold level
    int32_t& TU;   // bar attack counter
    int32_t& TD;   // bar decay counter
    int32_t& TPD;  // peak decay counter
};

void ResetChannel(TChannelState channel) noexcept;

enum class TChannel { Left, Right };

// One frame of both channels in the order the visualization runs it: peak
// step left, peak step right, bar step left, bar step right. Each hook is
// called right after the step that sets its channel's level, so that drawing
// can follow the steps.
template <class OnPeak, class OnBar>
void StepStereo(int32_t leftIndex, int32_t rightIndex, TChannelState left, TChannelState right,
                OnPeak&& onPeak, OnBar&& onBar) {
    leftIndex = PeakStep(left.P, left.TPD, leftIndex);
    onPeak(TChannel::Left, left.P);
    rightIndex = PeakStep(right.P, right.TPD, rightIndex);
    onPeak(TChannel::Right, right.P);
    BarStep(left.VU, left.TU, left.TD, leftIndex);
    onBar(TChannel::Left, left.VU);
    BarStep(right.VU, right.TU, right.TD, rightIndex);
    onBar(TChannel::Right, right.VU);
}

// A stereo meter on its own, under the visualization's field names; it feeds
// peak pairs frame after frame.
struct TStereoMeter {
    int32_t VUL = 0, VUR = 0;
    int32_t PL = 0, PR = 0;
    int32_t TUL = 0, TUR = 0;
    int32_t TDL = 0, TDR = 0;
    int32_t TPDL = 0, TPDR = 0;

    TChannelState Left() { return {VUL, PL, TUL, TDL, TPDL}; }
    TChannelState Right() { return {VUR, PR, TUR, TDR, TPDR}; }

    void Reset() noexcept;
    void Step(float leftPeak, float rightPeak) noexcept;
};

// The sprite frames the composition shows for a channel's levels. A negative
// peak frame, possible only before the level has settled, shows nothing.
constexpr int32_t BarFrame(int32_t barLevel) { return barLevel; }
constexpr int32_t PeakFrame(int32_t peakLevel) { return peakLevel - kBarTopSegment; }

}  // namespace bvm

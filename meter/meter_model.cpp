#include "meter/meter_model.h"

#include <bit>
#include <cmath>

namespace bvm {
namespace {

// 1 / ln 10 rounded to single precision.
constexpr float kInverseLn10 = 0.4342944920063019f;
constexpr int32_t kAttackFrames = 3;
constexpr int32_t kDecayFrames = 1;

bool HasFiniteLevel(float peak) {
    const uint32_t bits = std::bit_cast<uint32_t>(peak);
    const bool negative = (bits >> 31) != 0;
    const bool zero = (bits & 0x7FFFFFFFu) == 0;
    const bool infiniteOrNan = ((bits >> 23) & 0xFFu) == 0xFFu;
    return !negative && !zero && !infiniteOrNan;
}

}  // namespace

int32_t QuantizeLevel(float peak) noexcept {
    if (!HasFiniteLevel(peak)) return 0;
    const float log10 =
        static_cast<float>(std::log(static_cast<double>(peak)) * static_cast<double>(kInverseLn10));
    // Round to nearest, ties to even, as the host's floating-point environment does.
    const auto level = static_cast<int32_t>(std::nearbyint(20.0 * static_cast<double>(log10)));
    int32_t index = 0;
    while (index < static_cast<int32_t>(kThresholds.size()) && level > kThresholds[index]) ++index;
    return index;
}

int32_t PeakStep(int32_t& P, int32_t& C, int32_t index) noexcept {
    if (index > kPeakTopSegment) index = kPeakTopSegment;
    if (index > P) {
        P = index;
    } else if (C <= 0) {
        P = P - 1;
        if (P < kBarTopSegment) P = kBarTopSegment;
        C = kDecayFrames;
    } else {
        C = C - 1;
    }
    return index;
}

void BarStep(int32_t& V, int32_t& A, int32_t& E, int32_t index) noexcept {
    if (A <= 0) {
        A = kAttackFrames;
    } else {
        if (index > kBarTopSegment) index = kBarTopSegment;
        // Half the distance to the target, at least one segment, never past it.
        if (V < index) V = static_cast<int32_t>(std::lround((V + index + 0.25) / 2.0));
        A = A - 1;
    }
    if (E <= 0) {
        if (index < V) V = V - 1;
        if (V < 1) V = 0;
        E = kDecayFrames;
    } else {
        E = E - 1;
    }
}

void ResetChannel(TChannelState channel) noexcept {
    channel.VU = channel.P = channel.TU = channel.TD = channel.TPD = 0;
}

void TStereoMeter::Reset() noexcept {
    ResetChannel(Left());
    ResetChannel(Right());
}

void TStereoMeter::Step(float leftPeak, float rightPeak) noexcept {
    const auto ignore = [](TChannel, int32_t) {};
    StepStereo(QuantizeLevel(leftPeak), QuantizeLevel(rightPeak), Left(), Right(), ignore, ignore);
}

}  // namespace bvm

#include "platform/portable/pixels.h"

#include <bit>
#include <cstring>

// Wide vectors pass only between functions inlined into one another, so
// their calling convention never matters.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace bvm::portable {
namespace {

// Eight pixels at a time in the compiler's vector types; the build picks the
// widest instructions the processor has at run time.
using TPixels = uint32_t __attribute__((vector_size(32)));
using TLanes = uint16_t __attribute__((vector_size(32)));
constexpr int kVector = 8;

constexpr uint32_t kLanes = 0x00FF00FF;
// The black floor of the strips: colour 0, alpha 1.
constexpr uint32_t kFloor = 0x01000000;

uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// Two 8-bit channels in the 16-bit lanes of each 32-bit word, times a factor
// and divided by 255 with rounding: t = x + 128; (t + (t >> 8)) >> 8.
template <class T>
[[gnu::always_inline]] inline T ScaleLanes(T lanes, T factor) {
    const T t = lanes * factor + 0x0080;
    return (t + (t >> 8)) >> 8;
}

uint32_t ScaleLanes32(uint32_t lanes, uint32_t factor) {
    const uint32_t t = lanes * factor + 0x00800080u;
    return ((t + ((t >> 8) & kLanes)) >> 8) & kLanes;
}

uint32_t BlendPixel(uint32_t s, uint32_t d) {
    const uint32_t inverseAlpha = 255u - (s >> 24);
    const uint32_t blueRed = ScaleLanes32(d & kLanes, inverseAlpha);
    const uint32_t greenAlpha = ScaleLanes32((d >> 8) & kLanes, inverseAlpha) << 8;
    return s + (blueRed | greenAlpha);
}

[[gnu::always_inline]] inline TPixels BlendVector(TPixels s, TPixels d) {
    const TPixels inverseAlpha = 255u - (s >> 24);
    const auto factor = std::bit_cast<TLanes>(inverseAlpha | (inverseAlpha << 16));
    const auto blueRed = std::bit_cast<TPixels>(ScaleLanes(std::bit_cast<TLanes>(d & kLanes), factor));
    const auto greenAlpha = std::bit_cast<TPixels>(ScaleLanes(std::bit_cast<TLanes>((d >> 8) & kLanes), factor));
    return s + (blueRed | (greenAlpha << 8));
}

// The floor over any pixel: round(c * 254 / 255) is c - 1 from 128 up and c
// below, and the alpha gains the floor's 1.
[[gnu::always_inline]] inline TPixels FloorVector(TPixels d) {
    const TPixels high = (d >> 7) & 0x01010101u;
    return d - high + kFloor;
}

[[gnu::always_inline]] inline bool All(TPixels v, uint32_t value) {
    const TPixels equal = v == value;
    uint32_t lanes[kVector];
    std::memcpy(lanes, &equal, sizeof lanes);
    uint32_t all = ~0u;
    for (uint32_t lane : lanes) all &= lane;
    return all != 0;
}

// Most of a strip frame is either nothing (frame 0) or the black floor; both
// take a short way, everything else the full blend.
[[gnu::always_inline]] inline void BlendPixels(uint8_t* destination, const uint8_t* source, int32_t pixels) {
    int32_t i = 0;
    for (; i + kVector <= pixels; i += kVector) {
        TPixels s, d;
        std::memcpy(&s, source + i * 4, sizeof s);
        if (All(s, 0)) continue;
        std::memcpy(&d, destination + i * 4, sizeof d);
        d = All(s, kFloor) ? FloorVector(d) : BlendVector(s, d);
        std::memcpy(destination + i * 4, &d, sizeof d);
    }
    for (; i < pixels; ++i) {
        const uint32_t s = Load(source + i * 4);
        if (s != 0) Store(destination + i * 4, BlendPixel(s, Load(destination + i * 4)));
    }
}

// The same loop built twice, for the baseline instruction set and for AVX2,
// chosen once at run time.
void BlendPixelsBaseline(uint8_t* destination, const uint8_t* source, int32_t pixels) {
    BlendPixels(destination, source, pixels);
}

[[gnu::target("avx2")]] void BlendPixelsAvx2(uint8_t* destination, const uint8_t* source, int32_t pixels) {
    BlendPixels(destination, source, pixels);
}

}  // namespace

bool Drawable(const TMemoryDC* dc) {
    return dc && dc->Bits && dc->Width > 0 && dc->Height > 0 && dc->Stride % 4 == 0 &&
           int64_t{dc->Stride} >= int64_t{dc->Width} * 4;
}

void FillRow(uint8_t* row, size_t pixels, uint32_t value) {
    if (value == 0) {
        std::memset(row, 0, pixels * 4);
        return;
    }
    for (size_t i = 0; i < pixels; ++i) Store(row + i * 4, value);
}

void BlendRow(uint8_t* destination, const uint8_t* source, int32_t pixels) {
    static const auto kernel = __builtin_cpu_supports("avx2") ? BlendPixelsAvx2 : BlendPixelsBaseline;
    kernel(destination, source, pixels);
}

}  // namespace bvm::portable

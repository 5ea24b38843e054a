#pragma once
// A device context for a host to hand to the plug-in, with pixels the host can
// read back: a TMemoryDC natively, a DIB section in a memory DC on Windows.

#include <cstdint>
#include <memory>

#include "plugin/host_interface.h"

namespace bvm::host {

class TDrawingTarget {
public:
    // Pixels are 32 bits, blue, green, red, alpha, top row first, all zero at first.
    TDrawingTarget(int32_t width, int32_t height);
    ~TDrawingTarget();
    TDrawingTarget(const TDrawingTarget&) = delete;
    TDrawingTarget& operator=(const TDrawingTarget&) = delete;

    HDC Handle() const;
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    int32_t Stride() const { return FWidth * 4; }
    uint8_t* Pixels() { return FPixels; }
    const uint8_t* Pixels() const { return FPixels; }
    const uint8_t* Pixel(int32_t x, int32_t y) const { return FPixels + ptrdiff_t{y} * Stride() + ptrdiff_t{x} * 4; }

    struct TImpl;

private:
    std::unique_ptr<TImpl> FImpl;
    int32_t FWidth;
    int32_t FHeight;
    uint8_t* FPixels = nullptr;
};

}  // namespace bvm::host

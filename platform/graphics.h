#pragma once
// The drawing layer the meter needs of its platform: surfaces of premultiplied
// pixels and a canvas bound to the host's device context. Windows draws with
// GDI; other platforms draw into a TMemoryDC with the same pixel results.

#include <cstdint>
#include <memory>

#include "platform/rect.h"
#include "plugin/host_interface.h"

namespace bvm {

// A surface: 32 bits a pixel, rows from the top without gaps, each pixel
// blue, green, red, alpha with the colours premultiplied by alpha. Empty
// (0 x 0, no bitmap) until it is sized.
class TACLDib {
public:
    TACLDib();
    ~TACLDib();
    TACLDib(const TACLDib&) = delete;
    TACLDib& operator=(const TACLDib&) = delete;

    // Releases the old bitmap and makes one of the new size, all pixels zero.
    // If the bitmap cannot be made the surface stays empty and
    // EInvalidGraphicOperation is raised.
    void Resize(int32_t width, int32_t height);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    bool Empty() const { return FBits == nullptr; }
    uint8_t* Bits() { return FBits; }
    const uint8_t* Bits() const { return FBits; }
    int32_t Stride() const { return FWidth * 4; }
    TRect Bounds() const { return {0, 0, FWidth, FHeight}; }

    // Copies the whole surface unblended to a point of the device context.
    void DrawCopy(HDC dc, TPoint at) const;
    // Blends a source rectangle over an equal-size destination rectangle:
    // source + destination * (255 - source alpha) / 255 in every channel.
    // A source rectangle that is not inside the surface draws nothing.
    void DrawBlend(HDC dc, const TRect& destination, const TRect& source) const;

    struct TBitmap;  // the platform's bitmap, and on Windows its memory DC
    const TBitmap* Bitmap() const { return FBitmap.get(); }

private:
    void Release();

    std::unique_ptr<TBitmap> FBitmap;
    uint8_t* FBits = nullptr;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

// A strip frame blended ahead of time onto the opaque background it always
// lands on. Drawing it writes what blending the frame there would, as long as
// the destination holds that background; inside `uncertain` (relative to the
// frame) it may hold something else, and there the frame is blended as drawn.
// With GDI it is one AlphaBlend of the whole frame, as the blend is stated;
// the portable layer keeps the runs of pixels the blend changes and copies
// them, which turns a frame's blends into a few short copies.
class TBlendedSprite {
public:
    TBlendedSprite(const TACLDib& strip, const TRect& source, const TACLDib& background, TPoint at,
                   const TRect& uncertain);
    ~TBlendedSprite();
    TBlendedSprite(TBlendedSprite&&) noexcept;
    TBlendedSprite& operator=(TBlendedSprite&&) noexcept;

    void Draw(HDC dc, TPoint destination) const;

    struct TRuns;

private:
    const TACLDib* FStrip;
    TRect FSource;
    TRect FUncertain;
    std::unique_ptr<TRuns> FRuns;
};

// Colour as red in the low byte, then green and blue.
using TColor = uint32_t;
inline constexpr TColor kBlack = 0;

// A canvas bound to a device context for the time of one frame. It never
// creates, owns or deletes the context it is bound to.
class TCanvas {
public:
    TCanvas();
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Unbinding puts the system's stock pen, hollow brush and font back into
    // the context, so that none of the canvas's objects stays selected there.
    void Bind(HDC dc);
    void Unbind();
    HDC Handle() const { return FHandle; }

    void SetBrushColor(TColor color);
    // Fills with the brush; without a device context raises EInvalidOperation
    // "Canvas does not allow drawing".
    void FillRect(const TRect& rect);
    // Fills `area` with the brush, then copies `surface` opaque to `at` (the
    // frame's clear and background). The portable canvas does both in one
    // pass over the rows and leaves out the fill where the copy lands.
    void FillRectAndCopy(const TRect& area, const TACLDib* surface, TPoint at);

    struct TBrush;

private:
    void RequireHandle() const;

    HDC FHandle{};
    TColor FBrushColor = kBlack;
    std::unique_ptr<TBrush> FBrush;
};

// Graphics objects (bitmaps, device contexts, brushes) that the library holds
// now. Tests use it to see that nothing is left alive.
int32_t LiveGraphicsObjects();

}  // namespace bvm

#include "platform/graphics.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

#include "platform/errors.h"
#include "platform/portable/pixels.h"

namespace bvm {
namespace {

using portable::Drawable;

std::atomic<int32_t> gLiveBitmaps{0};

TRect DCBounds(const TMemoryDC& dc) { return {0, 0, dc.Width, dc.Height}; }

uint8_t* PixelAt(const TMemoryDC& dc, int32_t x, int32_t y) {
    return dc.Bits + ptrdiff_t{y} * dc.Stride + ptrdiff_t{x} * 4;
}

// GDI's fill on a 32-bit bitmap writes the colour with alpha 0.
uint32_t FillValue(TColor color) {
    const uint32_t red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    const uint8_t bytes[4] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red), 0};
    uint32_t value;
    std::memcpy(&value, bytes, 4);
    return value;
}

void Fill(const TMemoryDC& dc, const TRect& rect, TColor color) {
    const TRect r = Intersect(rect, DCBounds(dc));
    if (r.IsEmpty()) return;
    const uint32_t value = FillValue(color);
    // Whole rows without gaps are one block: one call that streams it.
    if (r.Left == 0 && r.Right == dc.Width && dc.Stride == dc.Width * 4) {
        portable::FillRow(PixelAt(dc, 0, r.Top), size_t(r.Width()) * size_t(r.Height()), value);
        return;
    }
    for (int32_t y = r.Top; y < r.Bottom; ++y) portable::FillRow(PixelAt(dc, r.Left, y), size_t(r.Width()), value);
}

// Where a surface copied to `at` lands in the DC.
TRect CopyTarget(const TACLDib& surface, TPoint at, const TMemoryDC& dc) {
    return Intersect(surface.Bounds().Offset(at.X, at.Y), DCBounds(dc));
}

// One row of that copy.
void CopyRow(const TACLDib& surface, TPoint at, const TMemoryDC& dc, const TRect& target, int32_t y) {
    const uint8_t* from = surface.Bits() + ptrdiff_t{y - at.Y} * surface.Stride() + ptrdiff_t{target.Left - at.X} * 4;
    std::memcpy(PixelAt(dc, target.Left, y), from, static_cast<size_t>(target.Width()) * 4);
}

}  // namespace

struct TACLDib::TBitmap {
    explicit TBitmap(size_t bytes) : Pixels(new uint8_t[bytes]()) { ++gLiveBitmaps; }
    ~TBitmap() { --gLiveBitmaps; }
    std::unique_ptr<uint8_t[]> Pixels;
};

TACLDib::TACLDib() = default;
TACLDib::~TACLDib() = default;

void TACLDib::Release() {
    FBitmap.reset();
    FBits = nullptr;
    FWidth = FHeight = 0;
}

void TACLDib::Resize(int32_t width, int32_t height) {
    Release();
    if (width <= 0 || height <= 0) return;
    const int64_t bytes = int64_t{width} * height * 4;
    try {
        if (bytes > INT32_MAX) throw std::bad_alloc();
        FBitmap = std::make_unique<TBitmap>(static_cast<size_t>(bytes));
    } catch (const std::bad_alloc&) {
        RaiseDibFailure(ENOMEM, width, height, LiveGraphicsObjects());
    }
    FBits = FBitmap->Pixels.get();
    FWidth = width;
    FHeight = height;
}

void TACLDib::DrawCopy(HDC dc, TPoint at) const {
    if (!FBitmap || !Drawable(dc)) return;
    const TRect target = CopyTarget(*this, at, *dc);
    if (target.IsEmpty()) return;
    for (int32_t y = target.Top; y < target.Bottom; ++y) CopyRow(*this, at, *dc, target, y);
}

void TACLDib::DrawBlend(HDC dc, const TRect& destination, const TRect& source) const {
    if (!FBitmap || !Drawable(dc)) return;
    // As AlphaBlend does: a source outside the surface, or sizes that differ, draw nothing.
    if (!Bounds().Contains(source) || source.Width() != destination.Width() ||
        source.Height() != destination.Height())
        return;
    const TRect target = Intersect(destination, DCBounds(*dc));
    if (target.IsEmpty()) return;
    const int32_t dx = source.Left - destination.Left, dy = source.Top - destination.Top;
    for (int32_t y = target.Top; y < target.Bottom; ++y) {
        const uint8_t* from = FBits + ptrdiff_t{y + dy} * Stride() + ptrdiff_t{target.Left + dx} * 4;
        portable::BlendRow(PixelAt(*dc, target.Left, y), from, target.Width());
    }
}

// A memory DC has no drawing objects: the brush is its colour alone.
struct TCanvas::TBrush {};

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

void TCanvas::Bind(HDC dc) { FHandle = dc; }
void TCanvas::Unbind() { FHandle = nullptr; }

void TCanvas::SetBrushColor(TColor color) { FBrushColor = color; }

void TCanvas::RequireHandle() const {
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
}

void TCanvas::FillRect(const TRect& rect) {
    RequireHandle();
    if (Drawable(FHandle)) Fill(*FHandle, rect, FBrushColor);
}

// Each pixel of the area is written once: the fill goes where the copy does
// not, row by row while the row is at hand.
void TCanvas::FillRectAndCopy(const TRect& area, const TACLDib* surface, TPoint at) {
    RequireHandle();
    if (!Drawable(FHandle)) return;
    const TMemoryDC& dc = *FHandle;
    const TRect fill = Intersect(area, DCBounds(dc));
    const TRect copy = surface && !surface->Empty() ? CopyTarget(*surface, at, dc) : TRect{};
    if (copy.IsEmpty()) {
        Fill(dc, fill, FBrushColor);
        return;
    }
    Fill(dc, {fill.Left, fill.Top, fill.Right, std::min(fill.Bottom, copy.Top)}, FBrushColor);
    const uint32_t value = FillValue(FBrushColor);
    for (int32_t y = copy.Top; y < copy.Bottom; ++y) {
        if (y >= fill.Top && y < fill.Bottom) {
            if (fill.Left < copy.Left)
                portable::FillRow(PixelAt(dc, fill.Left, y), size_t(std::min(fill.Right, copy.Left) - fill.Left), value);
            if (fill.Right > copy.Right) {
                const int32_t from = std::max(fill.Left, copy.Right);
                portable::FillRow(PixelAt(dc, from, y), size_t(fill.Right - from), value);
            }
        }
        CopyRow(*surface, at, dc, copy, y);
    }
    Fill(dc, {fill.Left, std::max(fill.Top, copy.Bottom), fill.Right, fill.Bottom}, FBrushColor);
}

int32_t LiveGraphicsObjects() { return gLiveBitmaps.load(); }

}  // namespace bvm

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

std::atomic<int32_t> gLiveBitmaps{0};

// A device context that cannot be drawn into makes every drawing step draw nothing.
bool Drawable(const TMemoryDC* dc) {
    return dc && dc->Bits && dc->Width > 0 && dc->Height > 0 && dc->Stride % 4 == 0 &&
           int64_t{dc->Stride} >= int64_t{dc->Width} * 4;
}

TRect Intersect(const TRect& a, const TRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

bool IsEmpty(const TRect& r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

TRect Bounds(const TMemoryDC& dc) { return {0, 0, dc.Width, dc.Height}; }

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
    const TRect r = Intersect(rect, Bounds(dc));
    if (IsEmpty(r)) return;
    const uint32_t value = FillValue(color);
    for (int32_t y = r.Top; y < r.Bottom; ++y) portable::FillRow(PixelAt(dc, r.Left, y), r.Width(), value);
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
        throw EInvalidGraphicOperation(FormatText(
            "%d: %s, %d", ENOMEM,
            FormatText("Failed to create DIB (%dx%d)", static_cast<int>(width), static_cast<int>(height)).c_str(),
            static_cast<int>(LiveGraphicsObjects())));
    }
    FBits = FBitmap->Pixels.get();
    FWidth = width;
    FHeight = height;
}

void TACLDib::DrawCopy(HDC dc, TPoint at) const {
    if (!FBitmap || !Drawable(dc)) return;
    const TRect target = Intersect(TRect{0, 0, FWidth, FHeight}.Offset(at.X, at.Y), Bounds(*dc));
    if (IsEmpty(target)) return;
    for (int32_t y = target.Top; y < target.Bottom; ++y) {
        const uint8_t* from = FBits + ptrdiff_t{y - at.Y} * Stride() + ptrdiff_t{target.Left - at.X} * 4;
        std::memcpy(PixelAt(*dc, target.Left, y), from, static_cast<size_t>(target.Width()) * 4);
    }
}

void TACLDib::DrawBlend(HDC dc, const TRect& destination, const TRect& source) const {
    if (!FBitmap || !Drawable(dc)) return;
    // As AlphaBlend does: a source outside the surface, or sizes that differ, draw nothing.
    const bool inside = source.Left >= 0 && source.Top >= 0 && source.Right <= FWidth && source.Bottom <= FHeight &&
                        !IsEmpty(source);
    if (!inside || source.Width() != destination.Width() || source.Height() != destination.Height()) return;
    const TRect target = Intersect(destination, Bounds(*dc));
    if (IsEmpty(target)) return;
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

// The opaque copy that follows writes every pixel of `opaque`, so only the
// margins around it are filled: each pixel of the area is written once.
void TCanvas::FillRectAround(const TRect& area, const TRect& opaque) {
    RequireHandle();
    if (!Drawable(FHandle)) return;
    const TRect hole = Intersect(Intersect(area, opaque), Bounds(*FHandle));
    if (IsEmpty(hole)) {
        Fill(*FHandle, area, FBrushColor);
        return;
    }
    Fill(*FHandle, {area.Left, area.Top, area.Right, hole.Top}, FBrushColor);
    Fill(*FHandle, {area.Left, hole.Top, hole.Left, hole.Bottom}, FBrushColor);
    Fill(*FHandle, {hole.Right, hole.Top, area.Right, hole.Bottom}, FBrushColor);
    Fill(*FHandle, {area.Left, hole.Bottom, area.Right, area.Bottom}, FBrushColor);
}

int32_t LiveGraphicsObjects() { return gLiveBitmaps.load(); }

}  // namespace bvm

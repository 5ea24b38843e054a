#include "platform/graphics.h"

#include <limits>

#include "platform/errors.h"
#include "platform/win32/gdi.h"
#include "platform/win32/system_library.h"

namespace bvm {
namespace {

using TAlphaBlend = decltype(&::AlphaBlend);

// msimg32 is loaded on first use, so that it is not among the library's imports.
TAlphaBlend AlphaBlendFunction() {
    static const TAlphaBlend function =
        win32::ProcAddress<TAlphaBlend>(win32::LoadSystemLibrary(L"msimg32.dll"), "AlphaBlend");
    return function;
}

}  // namespace

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

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int64_t bytes = int64_t{width} * height * 4;
    info.bmiHeader.biSizeImage = bytes <= std::numeric_limits<DWORD>::max() ? static_cast<DWORD>(bytes) : 0;

    win32::TUniqueDC dc(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    win32::TUniqueBitmap bitmap;
    if (dc && info.bmiHeader.biSizeImage != 0)
        bitmap = win32::TUniqueBitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) {
        const DWORD error = GetLastError();
        RaiseDibFailure(static_cast<int32_t>(error), width, height,
                        static_cast<int32_t>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)));
    }
    SelectObject(dc.Get(), bitmap.Get());
    FBitmap = std::make_unique<TBitmap>(TBitmap{std::move(bitmap), std::move(dc)});
    FBits = static_cast<uint8_t*>(bits);
    FWidth = width;
    FHeight = height;
}

void TACLDib::DrawCopy(HDC dc, TPoint at) const {
    if (!FBitmap) return;
    BitBlt(dc, at.X, at.Y, FWidth, FHeight, FBitmap->DC.Get(), 0, 0, SRCCOPY);
}

void TACLDib::DrawBlend(HDC dc, const TRect& destination, const TRect& source) const {
    const TAlphaBlend alphaBlend = AlphaBlendFunction();
    if (!FBitmap || !alphaBlend) return;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    alphaBlend(dc, destination.Left, destination.Top, destination.Width(), destination.Height(), FBitmap->DC.Get(),
               source.Left, source.Top, source.Width(), source.Height(), blend);
}

struct TCanvas::TBrush {
    win32::TUniqueBrush Handle;
    TColor Color;
};

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

void TCanvas::Bind(HDC dc) { FHandle = dc; }

void TCanvas::Unbind() {
    if (FHandle) {
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
        SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
        SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    }
    FHandle = nullptr;
}

void TCanvas::SetBrushColor(TColor color) { FBrushColor = color; }

void TCanvas::RequireHandle() const {
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
}

void TCanvas::FillRect(const TRect& rect) {
    RequireHandle();
    // One brush for the canvas's life, remade only when its colour changes.
    if (!FBrush || FBrush->Color != FBrushColor)
        FBrush = std::make_unique<TBrush>(TBrush{win32::TUniqueBrush(CreateSolidBrush(FBrushColor)), FBrushColor});
    SelectObject(FHandle, FBrush->Handle.Get());
    SetBkColor(FHandle, FBrushColor);
    SetBkMode(FHandle, OPAQUE);
    const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::FillRect(FHandle, &r, FBrush->Handle.Get());
}

// GDI keeps the calls as they are: the whole area is filled, then copied over.
void TCanvas::FillRectAndCopy(const TRect& area, const TACLDib* surface, TPoint at) {
    FillRect(area);
    if (surface) surface->DrawCopy(FHandle, at);
}

int32_t LiveGraphicsObjects() { return win32::gLiveGdiObjects.load(); }

}  // namespace bvm

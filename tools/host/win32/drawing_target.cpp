#include "tools/host/drawing_target.h"

#include <stdexcept>

namespace bvm::host {

struct TDrawingTarget::TImpl {
    HDC DC = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ Previous = nullptr;
    ~TImpl() {
        if (DC && Previous) SelectObject(DC, Previous);
        if (Bitmap) DeleteObject(Bitmap);
        if (DC) DeleteDC(DC);
    }
};

TDrawingTarget::TDrawingTarget(int32_t width, int32_t height)
    : FImpl(std::make_unique<TImpl>()), FWidth(width), FHeight(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    FImpl->DC = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    if (FImpl->DC) FImpl->Bitmap = CreateDIBSection(FImpl->DC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!FImpl->Bitmap || !bits) throw std::runtime_error("cannot make a DIB section for the drawing target");
    FImpl->Previous = SelectObject(FImpl->DC, FImpl->Bitmap);
    FPixels = static_cast<uint8_t*>(bits);
}

TDrawingTarget::~TDrawingTarget() = default;

HDC TDrawingTarget::Handle() const { return FImpl->DC; }

}  // namespace bvm::host

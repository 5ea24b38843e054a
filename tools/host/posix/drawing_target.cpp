#include "tools/host/drawing_target.h"

#include <stdexcept>
#include <vector>

namespace bvm::host {

struct TDrawingTarget::TImpl {
    std::vector<uint8_t> Pixels;
    TMemoryDC DC{};
};

TDrawingTarget::TDrawingTarget(int32_t width, int32_t height)
    : FImpl(std::make_unique<TImpl>()), FWidth(width), FHeight(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("drawing target needs a positive size");
    FImpl->Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    FPixels = FImpl->Pixels.data();
    FImpl->DC = TMemoryDC{FPixels, width, height, width * 4};
}

TDrawingTarget::~TDrawingTarget() = default;

HDC TDrawingTarget::Handle() const { return &FImpl->DC; }

}  // namespace bvm::host

#include "platform/imaging.h"

#include <spng.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/errors.h"
#include "platform/graphics.h"

namespace bvm {
namespace {

struct TContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

void Check(int status) {
    if (status != 0) throw EGdipException(status);
}

}  // namespace

// libspng decodes every PNG to straight 8-bit RGBA; only an 8-bit RGBA file
// keeps its alpha, as the imaging library on Windows does.
struct TDecodedImage::TImpl {
    std::vector<uint8_t> Rgba;
    int32_t Width = 0;
    int32_t Height = 0;
    TPixelFormat Format = TPixelFormat::Other;
};

TDecodedImage::TDecodedImage(std::span<const uint8_t> data, bool) : FImpl(std::make_unique<TImpl>()) {
    const std::unique_ptr<spng_ctx, TContextDeleter> context(spng_ctx_new(0));
    if (!context) throw EGdipException(SPNG_EMEM);
    Check(spng_set_png_buffer(context.get(), data.data(), data.size()));
    spng_ihdr header{};
    Check(spng_get_ihdr(context.get(), &header));
    size_t bytes = 0;
    Check(spng_decoded_image_size(context.get(), SPNG_FMT_RGBA8, &bytes));
    FImpl->Rgba.resize(bytes);
    Check(spng_decode_image(context.get(), FImpl->Rgba.data(), bytes, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS));
    FImpl->Width = static_cast<int32_t>(header.width);
    FImpl->Height = static_cast<int32_t>(header.height);
    const bool rgba8 = header.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA && header.bit_depth == 8;
    FImpl->Format = rgba8 ? TPixelFormat::ARGB32 : TPixelFormat::Other;
}

TDecodedImage::~TDecodedImage() = default;

int32_t TDecodedImage::Width() const { return FImpl->Width; }
int32_t TDecodedImage::Height() const { return FImpl->Height; }
TPixelFormat TDecodedImage::Format() const { return FImpl->Format; }

namespace {

// Red, green, blue, alpha into the surface's blue, green, red, alpha.
void CopySwapped(const TDecodedImage::TImpl& image, TACLDib& surface) {
    const size_t pixels = static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height);
    const uint8_t* from = image.Rgba.data();
    uint8_t* to = surface.Bits();
    for (size_t i = 0; i < pixels; ++i, from += 4, to += 4) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
        to[3] = from[3];
    }
}

bool Fits(const TDecodedImage::TImpl& image, const TACLDib& surface) {
    return !surface.Empty() && surface.Width() == image.Width && surface.Height() == image.Height;
}

}  // namespace

bool TDecodedImage::CopyPixelsTo(TACLDib& surface) const {
    if (FImpl->Format == TPixelFormat::Other || !Fits(*FImpl, surface)) return false;
    CopySwapped(*FImpl, surface);
    return true;
}

void TDecodedImage::DrawTo(TACLDib& surface) const {
    if (Fits(*FImpl, surface)) CopySwapped(*FImpl, surface);
}

}  // namespace bvm

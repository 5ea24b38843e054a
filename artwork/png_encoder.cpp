#include "artwork/png_encoder.h"

#include <spng.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace bvm {
namespace {

void Check(int error, const char* what) {
    if (error != 0) throw std::runtime_error(std::string("PNG encoder: ") + what + ": " + spng_strerror(error));
}

}  // namespace

std::vector<uint8_t> EncodePng(int32_t width, int32_t height, int channels, std::span<const uint8_t> pixels) {
    const std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    if (!ctx) throw std::runtime_error("PNG encoder: out of memory");
    Check(spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1), "buffer");
    spng_ihdr ihdr{};
    ihdr.width = static_cast<uint32_t>(width);
    ihdr.height = static_cast<uint32_t>(height);
    ihdr.bit_depth = 8;
    ihdr.color_type = channels == 4 ? SPNG_COLOR_TYPE_TRUECOLOR_ALPHA : SPNG_COLOR_TYPE_TRUECOLOR;
    Check(spng_set_ihdr(ctx.get(), &ihdr), "header");
    spng_phys phys{kPngPixelsPerMetre, kPngPixelsPerMetre, 1};
    Check(spng_set_phys(ctx.get(), &phys), "physical size");
    Check(spng_encode_image(ctx.get(), pixels.data(), pixels.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE), "image");

    int error = 0;
    size_t length = 0;
    const std::unique_ptr<void, decltype(&std::free)> png(spng_get_png_buffer(ctx.get(), &length, &error), std::free);
    Check(error, "output");
    const auto* bytes = static_cast<const uint8_t*>(png.get());
    return {bytes, bytes + length};
}

}  // namespace bvm

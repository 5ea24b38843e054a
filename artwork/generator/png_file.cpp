#include "artwork/generator/png_file.h"

#include <spng.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

namespace bvm {
namespace {

constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi

void Check(int error, const char* what) {
    if (error != 0) {
        throw std::runtime_error(std::string("PNG encoder: ") + what + ": " + spng_strerror(error));
    }
}

}  // namespace

void WritePng(const std::filesystem::path& path, const TImage& image) {
    const std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    if (!ctx) {
        throw std::runtime_error("PNG encoder: out of memory");
    }
    Check(spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1), "buffer");
    spng_ihdr ihdr{};
    ihdr.width = uint32_t(image.Width);
    ihdr.height = uint32_t(image.Height);
    ihdr.bit_depth = 8;
    ihdr.color_type = image.Channels == 4 ? SPNG_COLOR_TYPE_TRUECOLOR_ALPHA : SPNG_COLOR_TYPE_TRUECOLOR;
    Check(spng_set_ihdr(ctx.get(), &ihdr), "header");
    spng_phys phys{kPixelsPerMetre, kPixelsPerMetre, 1};
    Check(spng_set_phys(ctx.get(), &phys), "physical size");
    Check(spng_encode_image(ctx.get(), image.Bytes.data(), image.Bytes.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE),
          "image");

    int error = 0;
    std::size_t length = 0;
    const std::unique_ptr<void, decltype(&free)> png(spng_get_png_buffer(ctx.get(), &length, &error), free);
    Check(error, "output");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(png.get()), std::streamsize(length));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace bvm

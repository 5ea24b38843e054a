#include "tools/preview/png_output.h"

#include <spng.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace bvm::preview {
namespace {

constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi, as the artwork

void Check(int error, const std::string& path) {
    if (error != 0) throw std::runtime_error("cannot write " + path + ": " + spng_strerror(error));
}

}  // namespace

void WritePng(const TPendingFile& output, const uint8_t* bgra, int32_t width, int32_t height) {
    const std::string& path = output.Path();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0, n = rgb.size() / 3; i < n; ++i) {
        rgb[3 * i] = bgra[4 * i + 2];
        rgb[3 * i + 1] = bgra[4 * i + 1];
        rgb[3 * i + 2] = bgra[4 * i];
    }

    std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(output.TemporaryPath().c_str(), "wb"), std::fclose);
    if (!file) throw std::runtime_error("cannot write " + path + ": " + SystemError());
    const std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
    if (!ctx) throw std::runtime_error("cannot write " + path + ": out of memory");
    Check(spng_set_png_file(ctx.get(), file.get()), path);
    spng_ihdr ihdr{};
    ihdr.width = static_cast<uint32_t>(width);
    ihdr.height = static_cast<uint32_t>(height);
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    Check(spng_set_ihdr(ctx.get(), &ihdr), path);
    spng_phys phys{kPixelsPerMetre, kPixelsPerMetre, 1};
    Check(spng_set_phys(ctx.get(), &phys), path);
    Check(spng_encode_image(ctx.get(), rgb.data(), rgb.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE), path);
    if (std::fclose(file.release()) != 0) throw std::runtime_error("cannot write " + path + ": " + SystemError());
}

}  // namespace bvm::preview

#include "tests/support/png_reader.h"

#include <spng.h>

#include <memory>
#include <stdexcept>

namespace bvm {

namespace {

uint32_t BigEndian(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

std::vector<std::string> ChunkTypes(const std::vector<uint8_t>& file) {
    std::vector<std::string> types;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = BigEndian(&file[at]);
        types.emplace_back(reinterpret_cast<const char*>(&file[at + 4]), 4);
        at += 12 + std::size_t(length);
    }
    return types;
}

void Check(int error, const std::filesystem::path& path) {
    if (error != 0) {
        throw std::runtime_error(path.string() + ": " + spng_strerror(error));
    }
}

}  // namespace

TPng ReadPng(const std::filesystem::path& path) {
    const std::vector<uint8_t> file = ReadBytes(path);
    TPng png;
    png.Chunks = ChunkTypes(file);
    const std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> ctx(spng_ctx_new(0), spng_ctx_free);
    Check(spng_set_png_buffer(ctx.get(), file.data(), file.size()), path);
    spng_ihdr ihdr{};
    Check(spng_get_ihdr(ctx.get(), &ihdr), path);
    png.Width = ihdr.width;
    png.Height = ihdr.height;
    png.BitDepth = ihdr.bit_depth;
    png.ColourType = ihdr.color_type;
    png.Interlace = ihdr.interlace_method;
    spng_phys phys{};
    if (spng_get_phys(ctx.get(), &phys) == 0) {
        png.PixelsPerUnitX = phys.ppu_x;
        png.PixelsPerUnitY = phys.ppu_y;
        png.Unit = phys.unit_specifier;
    }
    std::size_t size = 0;
    Check(spng_decoded_image_size(ctx.get(), SPNG_FMT_RGBA8, &size), path);
    png.Rgba.resize(size);
    Check(spng_decode_image(ctx.get(), png.Rgba.data(), size, SPNG_FMT_RGBA8, 0), path);
    return png;
}

std::filesystem::path ArtworkPath(const char* name) { return std::filesystem::path(BVM_SOURCE_DIR) / "artwork" / name; }

std::filesystem::path LitPicturePath() { return std::filesystem::path(BVM_SOURCE_DIR) / "docs" / "meter-lit.png"; }

}  // namespace bvm

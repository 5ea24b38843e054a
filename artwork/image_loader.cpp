#include "artwork/image_loader.h"

#include <cstring>

#include "platform/graphics.h"
#include "platform/resources.h"
#include "platform/system.h"

namespace bvm {
namespace {

bool StartsWith(std::span<const uint8_t> data, size_t offset, const char* text) {
    const size_t length = std::strlen(text);
    return data.size() >= offset + length && std::memcmp(data.data() + offset, text, length) == 0;
}

TPremultiplyTable BuildPremultiplyTable() {
    TPremultiplyTable table{};
    for (int32_t a = 0; a < 256; ++a)
        for (int32_t c = 0; c < 256; ++c) table.Product[a][c] = static_cast<uint8_t>(MulDiv(c, a, 255));
    return table;
}

template <class PerPixel>
void ForEachPixel(TACLDib& surface, PerPixel perPixel) {
    uint8_t* p = surface.Bits();
    const size_t pixels = static_cast<size_t>(surface.Width()) * static_cast<size_t>(surface.Height());
    for (size_t i = 0; i < pixels; ++i, p += 4) perPixel(p);
}

}  // namespace

// Built while the library loads, before any image is.
const TPremultiplyTable kPremultiply = BuildPremultiplyTable();

TImageFormat DetectImageFormat(std::span<const uint8_t> data) {
    if (StartsWith(data, 1, "PNG")) return TImageFormat::PNG;
    if (StartsWith(data, 0, "BM")) return TImageFormat::BMP;
    if (StartsWith(data, 0, "GIF8")) return TImageFormat::GIF;
    if (StartsWith(data, 0, "\xFF\xD8\xFF")) return TImageFormat::JPEG;
    if (StartsWith(data, 0, "RIFF") && StartsWith(data, 8, "WEBP")) return TImageFormat::WebP;
    return TImageFormat::Unknown;
}

TACLImage::TACLImage(const char* resourceName) : TACLImage(FindModuleResource(resourceName)) {}

TACLImage::TACLImage(std::span<const uint8_t> data)
    : FDecoded(data, DetectImageFormat(data) == TImageFormat::PNG) {}

void Premultiply(TACLDib& surface) {
    ForEachPixel(surface, [](uint8_t* p) {
        const uint8_t alpha = p[3];
        if (alpha == 255) return;
        const auto& product = kPremultiply.Product[alpha];
        p[0] = product[p[0]];
        p[1] = product[p[1]];
        p[2] = product[p[2]];
    });
}

void MakeOpaque(TACLDib& surface) {
    ForEachPixel(surface, [](uint8_t* p) { p[3] = 255; });
}

void LoadSurface(const char* resourceName, std::unique_ptr<TACLDib>& field) {
    const TACLImage image(resourceName);
    field = std::make_unique<TACLDib>();
    image.WriteTo(*field);
}

}  // namespace bvm

#pragma once
// Loading the library's images into surfaces: find the resource, decode it,
// and write its pixels into a surface, premultiplied.

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/graphics.h"
#include "platform/imaging.h"

namespace bvm {

enum class TImageFormat { PNG, BMP, GIF, JPEG, WebP, Unknown };

// Tells the format from the leading bytes; PNG is tested first, by bytes 1 to 3.
TImageFormat DetectImageFormat(std::span<const uint8_t> data);

// The products c * a / 255, rounded, for every colour c and alpha a.
struct TPremultiplyTable {
    std::array<std::array<uint8_t, 256>, 256> Product;  // [alpha][colour]
};
extern const TPremultiplyTable kPremultiply;

// Premultiplies a surface's straight-alpha pixels in place.
void Premultiply(TACLDib& surface);
// Sets every pixel's alpha to 255.
void MakeOpaque(TACLDib& surface);

// Sizes the surface to a decoded image and gives it the pixels according to
// the image's pixel format: straight alpha premultiplied, premultiplied
// alpha as it is, 32-bit RGB made opaque; any other format, or pixels that
// cannot be locked, drawn through the imaging library and made opaque.
template <class TImage>
void WriteDecodedImage(const TImage& image, TACLDib& surface) {
    surface.Resize(image.Width(), image.Height());
    switch (image.Format()) {
        case TPixelFormat::ARGB32:
            if (image.CopyPixelsTo(surface)) return Premultiply(surface);
            break;
        case TPixelFormat::PARGB32:
            if (image.CopyPixelsTo(surface)) return;
            break;
        case TPixelFormat::RGB32:
            if (image.CopyPixelsTo(surface)) return MakeOpaque(surface);
            break;
        case TPixelFormat::Other:
            break;
    }
    image.DrawTo(surface);
    MakeOpaque(surface);
}

// An encoded image from a raw-data resource of the library, decoded.
class TACLImage {
public:
    // Raises EResNotFound or EGdipException.
    explicit TACLImage(const char* resourceName);
    explicit TACLImage(std::span<const uint8_t> data);

    int32_t Width() const { return FDecoded.Width(); }
    int32_t Height() const { return FDecoded.Height(); }

    void WriteTo(TACLDib& surface) const { WriteDecodedImage(FDecoded, surface); }

private:
    TDecodedImage FDecoded;
};

// Loads the named resource into a new surface stored in `field`. A surface
// made before an error stays in its field.
void LoadSurface(const char* resourceName, std::unique_ptr<TACLDib>& field);

}  // namespace bvm

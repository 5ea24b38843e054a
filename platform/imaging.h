#pragma once
// The imaging library's half of image loading: decoding, and handing the
// decoded pixels to a surface.

#include <cstdint>
#include <memory>
#include <span>

namespace bvm {

class TACLDib;

// Pixel formats as the imaging library decodes them.
enum class TPixelFormat {
    ARGB32,   // 32 bits, straight alpha
    PARGB32,  // 32 bits, premultiplied alpha
    RGB32,    // 32 bits, no alpha
    Other,    // 24-bit RGB, paletted, grey, 16 bits a channel, ...
};

class TDecodedImage {
public:
    // Decodes the data; a PNG keeps the format it decodes to, any other image
    // becomes 32-bit premultiplied ARGB. Raises EGdipException with the
    // imaging library's status code.
    TDecodedImage(std::span<const uint8_t> data, bool isPng);
    ~TDecodedImage();
    TDecodedImage(const TDecodedImage&) = delete;
    TDecodedImage& operator=(const TDecodedImage&) = delete;

    int32_t Width() const;
    int32_t Height() const;
    TPixelFormat Format() const;

    // Copies the pixels, locked in their own 32-bit format, row by row from the
    // top into a surface of the image's size. False when they cannot be locked.
    bool CopyPixelsTo(TACLDib& surface) const;
    // Draws the image at 1:1 into a surface of its size, colours only.
    void DrawTo(TACLDib& surface) const;

    struct TImpl;

private:
    std::unique_ptr<TImpl> FImpl;
};

}  // namespace bvm

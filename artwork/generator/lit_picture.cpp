#include "artwork/generator/lit_picture.h"

#include "artwork/geometry.h"

namespace bvm {
namespace {

// Source-over with the strip premultiplied and rounded as the meter's
// surfaces hold it.
void Blend(TImage& picture, const TImage& strip, const TStripGeometry& geometry, int32_t face) {
    const int32_t frame = geometry.FrameCount - 1;
    const TRect source = geometry.Frame(frame);
    const TRect destination = geometry.Destination(face);
    for (int32_t y = 0; y < source.Height(); ++y) {
        for (int32_t x = 0; x < source.Width(); ++x) {
            const uint8_t* s = strip.At(source.Left + x, source.Top + y);
            uint8_t* d = picture.At(destination.Left + x, destination.Top + y);
            const int32_t a = s[3];
            for (int32_t c = 0; c < 3; ++c) {
                const int32_t premultiplied = (s[c] * a + 127) / 255;
                d[c] = uint8_t(premultiplied + (d[c] * (255 - a) + 127) / 255);
            }
        }
    }
}

}  // namespace

TImage LightAll(const TImage& background, const TImage& barStrip, const TImage& peakStrip) {
    TImage picture = background;
    for (int32_t face = 0; face < kFaceCount; ++face) {
        Blend(picture, peakStrip, kPeakStrip, face);
        Blend(picture, barStrip, kBarStrip, face);
    }
    return picture;
}

}  // namespace bvm

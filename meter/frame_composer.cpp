#include "meter/frame_composer.h"

#include <algorithm>

#include "artwork/geometry.h"

namespace bvm {
namespace {

int32_t Face(TChannel channel) { return channel == TChannel::Left ? 0 : 1; }

void PaintSprite(TCanvas& canvas, const TACLDib* strip, const TStripGeometry& geometry, TPoint origin,
                 TChannel channel, int32_t frame) {
    // Only frames inside the strip are ever read.
    if (!strip || frame < 0 || frame >= geometry.FrameCount) return;
    strip->DrawBlend(canvas.Handle(), geometry.Destination(Face(channel)).Offset(origin.X, origin.Y),
                     geometry.Frame(frame));
}

}  // namespace

TPoint ArtworkOrigin(int32_t areaWidth, int32_t areaHeight, const TACLDib* background) {
    const int32_t width = background ? background->Width() : 0;
    const int32_t height = background ? background->Height() : 0;
    return {std::max(0, (areaWidth - width) / 2), std::max(0, (areaHeight - height) / 2)};
}

void PaintBackground(TCanvas& canvas, const TArtwork& art, int32_t width, int32_t height, TPoint origin) {
    const TRect area{0, 0, width, height};
    TRect opaque{};
    if (art.Background && !art.Background->Empty())
        opaque = TRect{0, 0, art.Background->Width(), art.Background->Height()}.Offset(origin.X, origin.Y);
    canvas.SetBrushColor(kBlack);
    canvas.FillRectAround(area, opaque);
    if (art.Background) art.Background->DrawCopy(canvas.Handle(), origin);
}

void PaintPeakSprite(TCanvas& canvas, const TArtwork& art, TPoint origin, TChannel channel, int32_t peakLevel) {
    PaintSprite(canvas, art.PeakStrip, kPeakStrip, origin, channel, PeakFrame(peakLevel));
}

void PaintBarSprite(TCanvas& canvas, const TArtwork& art, TPoint origin, TChannel channel, int32_t barLevel) {
    PaintSprite(canvas, art.BarStrip, kBarStrip, origin, channel, BarFrame(barLevel));
}

void PaintFrame(TCanvas& canvas, const TArtwork& art, int32_t width, int32_t height, TPoint origin,
                const TLevels& levels) {
    PaintBackground(canvas, art, width, height, origin);
    PaintPeakSprite(canvas, art, origin, TChannel::Left, levels.PL);
    PaintPeakSprite(canvas, art, origin, TChannel::Right, levels.PR);
    PaintBarSprite(canvas, art, origin, TChannel::Left, levels.VUL);
    PaintBarSprite(canvas, art, origin, TChannel::Right, levels.VUR);
}

}  // namespace bvm

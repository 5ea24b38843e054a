#include "meter/frame_composer.h"

#include <algorithm>

#include "artwork/geometry.h"

namespace bvm {
namespace {

int32_t Face(TChannel channel) { return channel == TChannel::Left ? 0 : 1; }

// The frames of a strip at one face. `drawnBefore` is the destination of the
// sprite painted earlier on that face, which the frames may land on.
std::vector<TBlendedSprite> PrepareStrip(const TACLDib* strip, const TStripGeometry& geometry, int32_t face,
                                         const TACLDib& background, const TRect& drawnBefore) {
    std::vector<TBlendedSprite> frames;
    if (!strip) return frames;
    const TRect destination = geometry.Destination(face);
    const TRect uncertain = Intersect(destination, drawnBefore).Offset(-destination.Left, -destination.Top);
    for (int32_t f = 0; f < geometry.FrameCount; ++f)
        frames.emplace_back(*strip, geometry.Frame(f), background, TPoint{destination.Left, destination.Top},
                            uncertain);
    return frames;
}

const TBlendedSprite* Frame(const std::vector<TBlendedSprite>& frames, int32_t frame) {
    // Only frames inside the strip are ever read.
    return frame >= 0 && frame < static_cast<int32_t>(frames.size()) ? &frames[frame] : nullptr;
}

void PaintSprite(TCanvas& canvas, const TBlendedSprite* sprite, const TStripGeometry& geometry, TPoint origin,
                 TChannel channel) {
    if (!sprite) return;
    const TRect destination = geometry.Destination(Face(channel));
    sprite->Draw(canvas.Handle(), {origin.X + destination.Left, origin.Y + destination.Top});
}

}  // namespace

TPreparedSprites::TPreparedSprites(const TArtwork& art) {
    if (!art.Background) return;
    for (int32_t face = 0; face < kFaceCount; ++face) {
        // Peaks go first, onto the bare background; bars may land on them.
        FPeaks[face] = PrepareStrip(art.PeakStrip, kPeakStrip, face, *art.Background, {});
        FBars[face] = PrepareStrip(art.BarStrip, kBarStrip, face, *art.Background, kPeakStrip.Destination(face));
    }
}

const TBlendedSprite* TPreparedSprites::Peak(TChannel channel, int32_t frame) const {
    return Frame(FPeaks[Face(channel)], frame);
}

const TBlendedSprite* TPreparedSprites::Bar(TChannel channel, int32_t frame) const {
    return Frame(FBars[Face(channel)], frame);
}

TPoint ArtworkOrigin(int32_t areaWidth, int32_t areaHeight, const TACLDib* background) {
    const int32_t width = background ? background->Width() : 0;
    const int32_t height = background ? background->Height() : 0;
    return {std::max(0, (areaWidth - width) / 2), std::max(0, (areaHeight - height) / 2)};
}

void PaintBackground(TCanvas& canvas, const TACLDib* background, int32_t width, int32_t height, TPoint origin) {
    canvas.SetBrushColor(kBlack);
    canvas.FillRectAndCopy({0, 0, width, height}, background, origin);
}

void PaintPeakSprite(TCanvas& canvas, const TPreparedSprites& sprites, TPoint origin, TChannel channel,
                     int32_t peakLevel) {
    PaintSprite(canvas, sprites.Peak(channel, PeakFrame(peakLevel)), kPeakStrip, origin, channel);
}

void PaintBarSprite(TCanvas& canvas, const TPreparedSprites& sprites, TPoint origin, TChannel channel,
                    int32_t barLevel) {
    PaintSprite(canvas, sprites.Bar(channel, BarFrame(barLevel)), kBarStrip, origin, channel);
}

void PaintFrame(TCanvas& canvas, const TACLDib* background, const TPreparedSprites& sprites, int32_t width,
                int32_t height, TPoint origin, const TLevels& levels) {
    PaintBackground(canvas, background, width, height, origin);
    PaintPeakSprite(canvas, sprites, origin, TChannel::Left, levels.PL);
    PaintPeakSprite(canvas, sprites, origin, TChannel::Right, levels.PR);
    PaintBarSprite(canvas, sprites, origin, TChannel::Left, levels.VUL);
    PaintBarSprite(canvas, sprites, origin, TChannel::Right, levels.VUR);
}

}  // namespace bvm

#pragma once
// One frame of the meter: a black clear, the background at the artwork
// origin, and the sprite frames the meter model's levels choose, blended onto
// both faces. Nothing is scaled or clipped here; the device context clips.

#include <cstdint>
#include <vector>

#include "meter/meter_model.h"
#include "platform/graphics.h"

namespace bvm {

// The three artwork surfaces. A missing one (null) is drawn as nothing.
struct TArtwork {
    const TACLDib* Background;
    const TACLDib* BarStrip;
    const TACLDib* PeakStrip;
};

// Every frame of both strips at both faces, blended onto the background once
// the surfaces are loaded. The surfaces must outlive it.
class TPreparedSprites {
public:
    explicit TPreparedSprites(const TArtwork& art);

    const TBlendedSprite* Peak(TChannel channel, int32_t frame) const;
    const TBlendedSprite* Bar(TChannel channel, int32_t frame) const;

private:
    std::vector<TBlendedSprite> FPeaks[2];  // by face, then frame
    std::vector<TBlendedSprite> FBars[2];
};

// Where the background's top-left corner lands: centred, never above or left
// of the area.
TPoint ArtworkOrigin(int32_t areaWidth, int32_t areaHeight, const TACLDib* background);

// Clears (0, 0, width, height) to black and copies the background to the origin.
// Raises EInvalidOperation when the canvas has no device context.
void PaintBackground(TCanvas& canvas, const TACLDib* background, int32_t width, int32_t height, TPoint origin);

// Blends a channel's peak-hold frame (level - 27; negative draws nothing).
void PaintPeakSprite(TCanvas& canvas, const TPreparedSprites& sprites, TPoint origin, TChannel channel,
                     int32_t peakLevel);

// Blends a channel's bar frame (the bar level itself).
void PaintBarSprite(TCanvas& canvas, const TPreparedSprites& sprites, TPoint origin, TChannel channel,
                    int32_t barLevel);

// The whole picture for levels already computed, in the order a frame paints it.
struct TLevels {
    int32_t VUL, VUR, PL, PR;
};
void PaintFrame(TCanvas& canvas, const TACLDib* background, const TPreparedSprites& sprites, int32_t width,
                int32_t height, TPoint origin, const TLevels& levels);

}  // namespace bvm

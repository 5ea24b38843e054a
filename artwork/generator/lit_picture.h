#pragma once

#include "artwork/generator/image.h"

namespace bvm {

// The background with the last bar frame and the last peak frame blended on
// both faces, peak first, as the meter shows them at full scale. RGB.
TImage LightAll(const TImage& background, const TImage& barStrip, const TImage& peakStrip);

}  // namespace bvm

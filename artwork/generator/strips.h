#pragma once

#include "artwork/generator/image.h"
#include "artwork/geometry.h"

namespace bvm {

// Every frame of a strip, stacked: frame 0 transparent, frame f its first f
// segments lit over a black floor of alpha 1. RGBA, straight colours.
TImage PaintStrip(const TStripGeometry& strip);

}  // namespace bvm

#pragma once

#include "artwork/generator/fonts.h"
#include "artwork/generator/image.h"

namespace bvm {

// Both faces, every segment dark. RGB.
TImage PaintBackground(const TFonts& fonts);

}  // namespace bvm

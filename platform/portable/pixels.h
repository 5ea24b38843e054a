#pragma once
// Row kernels of the portable drawing layer, on 32-bit blue, green, red,
// alpha pixels.

#include <cstddef>
#include <cstdint>

#include "plugin/host_interface.h"

namespace bvm::portable {

// A device context that cannot be drawn into makes every drawing step draw nothing.
bool Drawable(const TMemoryDC* dc);

// Writes one 32-bit value (as stored in memory order) to every pixel.
void FillRow(uint8_t* row, size_t pixels, uint32_t value);

// Premultiplied source over destination, per channel
// s + round(d * (255 - sa) / 255), for sources whose colours do not exceed
// their alpha. A source pixel of four zero bytes leaves its destination as is.
void BlendRow(uint8_t* destination, const uint8_t* source, int32_t pixels);

}  // namespace bvm::portable

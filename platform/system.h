#pragma once
// Small system services.

#include <cstdint>

namespace bvm {

// a * b / c rounded to the nearest integer, as the Windows kernel computes it.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace bvm

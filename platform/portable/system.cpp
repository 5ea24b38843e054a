#include "platform/system.h"

#include <cstdlib>

namespace bvm {

// Rounds half away from zero; -1 when c is 0 or the result does not fit.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t product = int64_t{a} * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = (std::llabs(product) + std::llabs(int64_t{c}) / 2) / std::llabs(int64_t{c});
    const int64_t result = negative ? -magnitude : magnitude;
    return result < INT32_MIN || result > INT32_MAX ? -1 : static_cast<int32_t>(result);
}

}  // namespace bvm

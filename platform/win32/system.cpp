#include "platform/system.h"

#include <windows.h>

namespace bvm {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) { return ::MulDiv(a, b, c); }

}  // namespace bvm

#include "platform/float_traps.h"

#include <cfenv>

namespace bvm {
namespace {
constexpr int kTraps = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

TUnmaskedFloatTraps::TUnmaskedFloatTraps() : FSaved(static_cast<unsigned>(fegetexcept())) {
    feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(kTraps);
}

TUnmaskedFloatTraps::~TUnmaskedFloatTraps() {
    feclearexcept(FE_ALL_EXCEPT);
    fedisableexcept(kTraps & ~static_cast<int>(FSaved));
}

}  // namespace bvm

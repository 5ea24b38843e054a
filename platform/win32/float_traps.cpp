#include "platform/float_traps.h"

#include <float.h>

namespace bvm {

TUnmaskedFloatTraps::TUnmaskedFloatTraps() : FSaved(_controlfp(0, 0)) {
    _clearfp();
    _controlfp(FSaved & ~(_EM_INVALID | _EM_ZERODIVIDE | _EM_OVERFLOW), _MCW_EM);
}

TUnmaskedFloatTraps::~TUnmaskedFloatTraps() {
    _clearfp();
    _controlfp(FSaved, _MCW_EM);
}

}  // namespace bvm

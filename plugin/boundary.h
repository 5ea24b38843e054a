#pragma once
// No language exception crosses the host interface: each interface operation
// runs its body through one of these.

#include "plugin/host_interface.h"

namespace bvm {

// For operations with a result code: a failure becomes E_FAIL.
template <class Body>
HRESULT GuardResult(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return E_FAIL;
    }
}

// For operations without a result: a failure is dropped.
template <class Body>
void GuardVoid(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

}  // namespace bvm

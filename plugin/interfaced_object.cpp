#include "plugin/interfaced_object.h"

#include "platform/errors.h"

namespace bvm {

ULONG TInterfacedObjectEx::ReleaseReference() noexcept {
    const int32_t count = FRefCount.fetch_sub(1) - 1;
    // A refused destruction leaves the object alive rather than freed while
    // someone still counts on it.
    if (count == 0) GuardVoid([this] { Destroy(); });
    return static_cast<ULONG>(count);
}

void TInterfacedObjectEx::Destroy() {
    if (FRefCount.load() != 0) throw Exception("Invalid Pointer");
    delete this;
}

}  // namespace bvm

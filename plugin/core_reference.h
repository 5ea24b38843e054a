#pragma once
// The process-wide reference to the host core, and host strings made through it.

#include <cstdint>

#include "platform/com_ptr.h"
#include "plugin/host_interface.h"

namespace bvm {

// Owns the core reference for the whole library, whichever plug-in object
// stored it. The library's shut-down releases a reference still held.
class TAIMPAPIWrappers {
public:
    // Stores the core, taking a reference of its own; the one held before is released.
    static void Initialize(IAIMPCore* core);
    // Empties the store, releasing its reference; harmless when empty.
    static void Finalize();
    // The core with a reference of the caller's own; empty when none is held.
    static TComPtr<IAIMPCore> Core();
};

// Makes a host string object holding `length` UTF-16 characters. Raises
// "Plugin was not initialized", "Cannot create object (%d)" or
// "Cannot set data to IAIMPString (%d)". When the text is refused, `target`
// still holds the string object and its owner releases it.
void CreateHostString(TComPtr<IAIMPString>& target, PWideChar text, int32_t length);

}  // namespace bvm

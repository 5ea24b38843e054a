#pragma once
// The library's own raw-data resources, found by name without regard to case.

#include <cstdint>
#include <span>

namespace bvm {

// The bytes of the named resource, valid while the library is loaded.
// Raises EResNotFound "Resource <name> not found".
std::span<const uint8_t> FindModuleResource(const char* name);

}  // namespace bvm

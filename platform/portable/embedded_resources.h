#pragma once
// Resources carried in the library's data where there are no Windows
// resources. The build generates the table from the files.

#include <cstddef>
#include <cstdint>

namespace bvm::portable {

struct TEmbeddedResource {
    const char* Name;
    const uint8_t* Data;
    size_t Size;
};

extern const TEmbeddedResource kEmbeddedResources[];
extern const size_t kEmbeddedResourceCount;

}  // namespace bvm::portable

#include "platform/resources.h"

#include <cctype>

#include "platform/errors.h"
#include "platform/portable/embedded_resources.h"

namespace bvm {
namespace {

bool SameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

}  // namespace

std::span<const uint8_t> FindModuleResource(const char* name) {
    for (size_t i = 0; i < portable::kEmbeddedResourceCount; ++i) {
        const portable::TEmbeddedResource& r = portable::kEmbeddedResources[i];
        if (SameName(r.Name, name)) return {r.Data, r.Size};
    }
    throw EResNotFound(FormatText("Resource %s not found", name));
}

}  // namespace bvm

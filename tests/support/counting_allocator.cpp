#include "tests/support/counting_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> gAllocations{0};
std::atomic<long> gLive{0};
}  // namespace

void* operator new(size_t size) {
    if (void* p = std::malloc(size ? size : 1)) {
        ++gAllocations;
        ++gLive;
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept {
    if (!p) return;
    --gLive;
    std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, size_t) noexcept { operator delete(p); }
void operator delete[](void* p, size_t) noexcept { operator delete(p); }

namespace bvm::test {

long Allocations() { return gAllocations.load(); }
long LiveAllocations() { return gLive.load(); }

}  // namespace bvm::test

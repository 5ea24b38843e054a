#pragma once
// Counts the program's heap allocations: linked into the tests that look for
// allocations per frame or growth over many cycles.

namespace bvm::test {

long Allocations();       // calls of operator new so far
long LiveAllocations();   // blocks not yet deleted

}  // namespace bvm::test

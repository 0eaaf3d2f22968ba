// Replaces the non-throwing array allocation, the only form the engine uses,
// so that a test can make it fail on demand. Otherwise it allocates through
// the ordinary array new, which keeps every release matched, and fills the
// block with a pattern.
#include "failing_allocation.h"

#include <cstddef>
#include <cstring>
#include <new>

namespace {
bool failNext = false;
}  // namespace

namespace quarvine::test {

void failNextAllocation() {
  failNext = true;
}

bool allocationFailurePending() {
  return failNext;
}

}  // namespace quarvine::test

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (failNext) {
    failNext = false;
    return nullptr;
  }
  try {
    // A fresh block holds a pattern rather than the zeros that new memory
    // often happens to hold, so a float that a rewrite forgets to write
    // shows as a NaN.
    void* block = ::operator new[](size);
    std::memset(block, 0xFF, size);
    return block;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// Replaces the non-throwing array allocation, the only form the engine uses,
// so that a test can make it fail on demand; otherwise it allocates through
// the ordinary array new, which keeps every release matched.
#include "failing_allocation.h"

#include <cstddef>
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
    return ::operator new[](size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

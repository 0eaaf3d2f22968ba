// Replaces every form of operator new and delete with counted calls of malloc
// and free, so that a test can see whether a failed construction left a block
// behind. All forms are replaced together, so every release stays matched.
#include "counted_allocation.h"

#include <cstdlib>
#include <new>

namespace {

long live = 0;
int arrayCountdown = 0;
int objectCountdown = 0;

// True when this call is the one armed to fail.
bool failsNow(int& countdown) { return countdown > 0 && --countdown == 0; }

void* allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block) ++live;
  return block;
}

void release(void* block) {
  if (block == nullptr) return;
  --live;
  std::free(block);
}

void* allocateOrThrow(std::size_t size) {
  void* block = allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

namespace counted_allocation {

long liveBlocks() { return live; }

void failArrayAllocation(int nth) { arrayCountdown = nth; }

void failObjectAllocation(int nth) { objectCountdown = nth; }

bool armedFailuresHappened() { return arrayCountdown == 0 && objectCountdown == 0; }

}  // namespace counted_allocation

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return failsNow(objectCountdown) ? nullptr : allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return failsNow(arrayCountdown) ? nullptr : allocate(size);
}

void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { release(block); }

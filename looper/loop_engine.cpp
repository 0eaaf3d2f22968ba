// The engine's lifetime and the one place where loop buffers are made and
// released.
#include "loop_engine.h"

#include <cstddef>
#include <limits>
#include <new>

namespace quarvine {

LoopEngine::~LoopEngine() {
  delete[] loopBuffer;
}

bool LoopEngine::initEngine() {
  recording = false;
  reverse = false;
  octaveDown = false;
  inputGain = 0.0f;
  playPos = 0;
  markPos = 0;
  numChannels = 1;
  float* buffer = allocateSilentLoop(kInitialLoopLength);
  // Without its first buffer the instance is refused; a length of 0 keeps
  // the fields telling the truth about the missing block.
  replaceLoop(buffer, buffer != nullptr ? kInitialLoopLength : 0);
  return buffer != nullptr;
}

namespace {

// A length beyond int32_t, or beyond what size_t can count in bytes, is
// refused exactly as a failed allocation is.
bool allocatable(int64_t length) {
  constexpr int64_t kMaxLength = std::numeric_limits<int32_t>::max();
  constexpr uint64_t kMaxFloats = std::numeric_limits<std::size_t>::max() / sizeof(float);
  return length <= kMaxLength && static_cast<uint64_t>(length) <= kMaxFloats;
}

}  // namespace

// Both allocations are non-throwing: nothing may throw into the host.
float* LoopEngine::allocateSilentLoop(int64_t length) {
  if (!allocatable(length)) {
    return nullptr;
  }
  return new (std::nothrow) float[static_cast<std::size_t>(length)]();
}

float* LoopEngine::allocateLoopToFill(int64_t length) {
  if (!allocatable(length)) {
    return nullptr;
  }
  return new (std::nothrow) float[static_cast<std::size_t>(length)];
}

void LoopEngine::replaceLoop(float* buffer, int32_t length) {
  delete[] loopBuffer;
  loopBuffer = buffer;
  loopLength = length;
}

}  // namespace quarvine

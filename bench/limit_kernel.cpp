#include "limit_kernel.h"

#include <cstddef>

namespace quarvine::bench {
namespace {

// No buffer overlaps another here, which the compiler is told, so the loops
// need no run-time overlap test either.
void monoLimit(const float* __restrict input, float* __restrict firstOutput,
               float* __restrict secondOutput, float* __restrict loop, std::ptrdiff_t frames,
               MixLevels levels, float gain) {
  for (std::ptrdiff_t i = 0; i < frames; ++i) {
    const float x = input[i];
    const float held = loop[i];
    const float out = levels.loopMix * held + levels.dryMix * x;
    firstOutput[i] = out;
    secondOutput[i] = out;
    loop[i] = gain * x + levels.feedback * held;
  }
}

void stereoLimit(const float* __restrict firstInput, const float* __restrict secondInput,
                 float* __restrict firstOutput, float* __restrict secondOutput,
                 float* __restrict loop, std::ptrdiff_t frames, MixLevels levels, float gain) {
  for (std::ptrdiff_t i = 0; i < frames; ++i) {
    const float x0 = firstInput[i];
    const float x1 = secondInput[i];
    const float held0 = loop[2 * i];
    const float held1 = loop[2 * i + 1];
    firstOutput[i] = levels.loopMix * held0 + levels.dryMix * x0;
    secondOutput[i] = levels.loopMix * held1 + levels.dryMix * x1;
    loop[2 * i] = gain * x0 + levels.feedback * held0;
    loop[2 * i + 1] = gain * x1 + levels.feedback * held1;
  }
}

}  // namespace

void limitBlock(const float* firstInput, const float* secondInput, float* firstOutput,
                float* secondOutput, float* loop, int32_t frames, const MixLevels& levels,
                float gain) {
  if (secondInput == nullptr) {
    monoLimit(firstInput, firstOutput, secondOutput, loop, frames, levels, gain);
  } else {
    stereoLimit(firstInput, secondInput, firstOutput, secondOutput, loop, frames, levels, gain);
  }
}

}  // namespace quarvine::bench

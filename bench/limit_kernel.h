// What one audio block cannot beat: the memory traffic and arithmetic of a
// block recorded at full gain (read the inputs and the loop span, write the
// loop span and both outputs) in one vectorised loop, with no wrap test and
// no condition.
#pragma once

#include <cstdint>

#include "loop_engine.h"

namespace quarvine::bench {

// `loop` is the span's first float; the span holds frames * channels floats,
// channels interleaved. secondInput null means one channel. The levels come
// by reference, as the engine's do.
void limitBlock(const float* firstInput, const float* secondInput, float* firstOutput,
                float* secondOutput, float* loop, int32_t frames, const MixLevels& levels,
                float gain);

}  // namespace quarvine::bench

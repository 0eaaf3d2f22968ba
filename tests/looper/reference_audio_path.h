// The audio path written out sample by sample, one signed remainder and the
// branches per channel sample: the oracle that the engine's fast path must
// match bit for bit.
#pragma once

#include <cstdint>

#include "loop_engine.h"

namespace quarvine::test {

// One block over `engine`'s state, exactly as LoopEngine::processReplacing
// is specified to run it.
void referenceProcessReplacing(LoopEngine& engine, const float* firstInput,
                               const float* secondInput, float* firstOutput, float* secondOutput,
                               int32_t sampleFrames, MixLevels levels);

}  // namespace quarvine::test

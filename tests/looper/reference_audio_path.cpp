#include "reference_audio_path.h"

namespace quarvine::test {

void referenceProcessReplacing(LoopEngine& engine, const float* firstInput,
                               const float* secondInput, float* firstOutput, float* secondOutput,
                               int32_t sampleFrames, MixLevels levels) {
  engine.numChannels = secondInput != nullptr ? 2 : 1;
  const float feedback = levels.feedback;
  const float loopMix = levels.loopMix;
  const float dryMix = levels.dryMix;
  if (sampleFrames <= 0) {
    return;
  }

  const float* const inputs[2] = {firstInput, secondInput};
  float* const outputs[2] = {firstOutput, secondOutput};
  // The position is summed in unsigned arithmetic, where -1 is its modulo
  // 2^32 image: with playPos < loopLength <= INT32_MAX the sum cannot wrap
  // and is never negative, so the remainder is the signed one, even for a
  // loop longer than 2^30 floats.
  const uint32_t length = static_cast<uint32_t>(engine.loopLength);
  const uint32_t step = engine.reverse ? static_cast<uint32_t>(-1) : 1u;
  float* const loopBuffer = engine.loopBuffer;
  int32_t& playPos = engine.playPos;
  float& inputGain = engine.inputGain;

  for (int32_t i = 0; i < sampleFrames; ++i) {
    for (int32_t j = 0; j < engine.numChannels; ++j) {
      // Read before the output is written: an output may be its own input.
      const float x = inputs[j][i];
      // The loop sample is the one held before this frame's overdub, so what
      // is recorded now is heard one lap later.
      outputs[j][i] = loopMix * loopBuffer[playPos] + dryMix * x;
      if (engine.recording) {
        // The gain steps once per frame, on channel 0, before the write.
        if (j == 0 && inputGain < 1.0f) {
          inputGain += kGainStep;
        }
        loopBuffer[playPos] = inputGain * x + feedback * loopBuffer[playPos];
      } else if (j == 0 && inputGain > 0.0f) {
        // The fade-out overdubs channel 0 only, with the lowered gain.
        inputGain -= kGainStep;
        loopBuffer[playPos] = inputGain * x + feedback * loopBuffer[playPos];
      }
      playPos = static_cast<int32_t>((static_cast<uint32_t>(playPos) + step + length) % length);
    }
    if (engine.numChannels == 1) {
      secondOutput[i] = firstOutput[i];
    }
  }
}

}  // namespace quarvine::test

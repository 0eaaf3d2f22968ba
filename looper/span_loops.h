// The audio path's inner loops: whole frames over a span of the loop in
// which the position does not wrap, one loop for each record condition,
// channel count and direction, so that the compiler can vectorise them.
// Each does, for every channel sample, the float operations of the
// per-sample definition in the same order on the same values, so the
// results are the same bits.
#pragma once

#include <cstddef>

#include "loop_engine.h"

namespace quarvine::spans {

// Which channels a frame overdubs.
enum class Overdub { kNone, kAllChannels, kFirstChannel };

// The record gain over a span: one value throughout (idle, full gain) or one
// value per frame (ramp, fade).
struct HeldGain {
  float value;
  float operator[](std::ptrdiff_t) const { return value; }
  HeldGain from(std::ptrdiff_t) const { return *this; }
};

struct SteppedGain {
  const float* values;
  float operator[](std::ptrdiff_t frame) const { return values[frame]; }
  SteppedGain from(std::ptrdiff_t frame) const { return {values + frame}; }
};

// The host's channel buffers from the span's first frame on; secondInput is
// null in mono.
struct HostChannels {
  const float* firstInput;
  const float* secondInput;
  float* firstOutput;
  float* secondOutput;
};

// One channel sample: the output from the held loop float and the input,
// and the overdub that replaces the loop float while recording or fading.
inline float mixedOutput(float held, float input, MixLevels levels) {
  return levels.loopMix * held + levels.dryMix * input;
}

inline float overdub(float held, float input, float gain, MixLevels levels) {
  return gain * input + levels.feedback * held;
}

// `slot` is the loop float of the span's first channel sample; kStep is +1
// forwards and -1 in reverse. Each input is read before its output is
// written, as the host may pass the same memory for both. The loop is the
// engine's own block, which no host buffer overlaps; saying so (restrict)
// spares the loops a run-time overlap test against each host buffer.
//
// Every frame writes its outputs first and its loop floats last. Stored
// before the outputs, the loop floats made the vector loop reload them and
// cost a block at full gain about a third more.
template <int kStep, Overdub kOverdub, typename Gain>
inline void monoSpan(HostChannels io, float* __restrict slot, std::ptrdiff_t frames,
                     MixLevels levels, Gain gain) {
  for (std::ptrdiff_t i = 0; i < frames; ++i) {
    const float input = io.firstInput[i];
    const float held = slot[kStep * i];
    const float out = mixedOutput(held, input, levels);
    io.firstOutput[i] = out;
    io.secondOutput[i] = out;
    if (kOverdub != Overdub::kNone) {
      slot[kStep * i] = overdub(held, input, gain[i], levels);
    }
  }
}

// Stereo frames over a span. Going forwards, frame i holds channel 0 at
// slot[2i] and channel 1 at slot[2i + 1]; in reverse, channel 0 at slot[-2i]
// and channel 1 at slot[-2i - 1], and the frames are visited last first, so
// that the loop is read upwards, the one order in which the vectoriser can
// split interleaved channels. Each frame touches only its own index of the
// host's buffers, so the order changes no result, also when an output is its
// own input. The second input is read after the first output is written, as
// it may be the same memory.
template <int kStep, Overdub kOverdub, typename Gain>
inline void stereoSpan(HostChannels io, float* __restrict slot, std::ptrdiff_t frames,
                       MixLevels levels, Gain gain) {
  float* const lowest = kStep > 0 ? slot : slot - (2 * frames - 1);
  // Where channel 0 lies in each pair of floats from the lowest on.
  constexpr std::ptrdiff_t kFirst = kStep > 0 ? 0 : 1;
  for (std::ptrdiff_t k = 0; k < frames; ++k) {
    const std::ptrdiff_t i = kStep > 0 ? k : frames - 1 - k;
    const float frameGain = gain[i];
    const float held0 = lowest[2 * k + kFirst];
    const float held1 = lowest[2 * k + 1 - kFirst];
    const float input0 = io.firstInput[i];
    io.firstOutput[i] = mixedOutput(held0, input0, levels);
    const float input1 = io.secondInput[i];
    io.secondOutput[i] = mixedOutput(held1, input1, levels);
    // The fade overdubs channel 0 only.
    if (kOverdub != Overdub::kNone) {
      lowest[2 * k + kFirst] = overdub(held0, input0, frameGain, levels);
    }
    if (kOverdub == Overdub::kAllChannels) {
      lowest[2 * k + 1 - kFirst] = overdub(held1, input1, frameGain, levels);
    }
  }
}

}  // namespace quarvine::spans

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

// One channel sample: returns its output and, when kOverdub, writes the
// overdub into the loop float. The held value is read once and serves both.
template <bool kOverdub>
inline float playSample(float& slot, float input, float gain, MixLevels levels) {
  const float held = slot;
  if (kOverdub) {
    slot = gain * input + levels.feedback * held;
  }
  return levels.loopMix * held + levels.dryMix * input;
}

// `slot` is the loop float of the span's first channel sample; kStep is +1
// forwards and -1 in reverse. Each input is read before its output is
// written, as the host may pass the same memory for both. The loop is the
// engine's own block, which no host buffer overlaps; saying so (restrict)
// spares the loops a run-time overlap test against each host buffer.
template <int kStep, Overdub kOverdub, typename Gain>
inline void monoSpan(HostChannels io, float* __restrict slot, std::ptrdiff_t frames,
                     MixLevels levels, Gain gain) {
  constexpr bool kWrites = kOverdub != Overdub::kNone;
  for (std::ptrdiff_t i = 0; i < frames; ++i) {
    const float out = playSample<kWrites>(slot[kStep * i], io.firstInput[i], gain[i], levels);
    io.firstOutput[i] = out;
    io.secondOutput[i] = out;
  }
}

// Going forwards, frame i holds channel 0 at slot[2i] and channel 1 at
// slot[2i + 1].
template <Overdub kOverdub, typename Gain>
inline void stereoForwardSpan(HostChannels io, float* __restrict slot, std::ptrdiff_t frames,
                              MixLevels levels, Gain gain) {
  constexpr bool kWritesFirst = kOverdub != Overdub::kNone;
  constexpr bool kWritesSecond = kOverdub == Overdub::kAllChannels;
  for (std::ptrdiff_t i = 0; i < frames; ++i) {
    io.firstOutput[i] = playSample<kWritesFirst>(slot[2 * i], io.firstInput[i], gain[i], levels);
    io.secondOutput[i] =
        playSample<kWritesSecond>(slot[2 * i + 1], io.secondInput[i], gain[i], levels);
  }
}

// In reverse, frame i holds channel 0 at slot[-2i] and channel 1 at
// slot[-2i - 1]. The frames are visited last first, so that the loop is read
// upwards, the one order in which the vectoriser can split interleaved
// channels. Each frame touches only its own index of the host's buffers, so
// the order changes no result, also when an output is its own input.
template <Overdub kOverdub, typename Gain>
inline void stereoReverseSpan(HostChannels io, float* __restrict slot, std::ptrdiff_t frames,
                              MixLevels levels, Gain gain) {
  constexpr bool kWritesFirst = kOverdub != Overdub::kNone;
  constexpr bool kWritesSecond = kOverdub == Overdub::kAllChannels;
  float* const lowest = slot - (2 * frames - 1);
  for (std::ptrdiff_t k = 0; k < frames; ++k) {
    const std::ptrdiff_t i = frames - 1 - k;
    io.firstOutput[i] =
        playSample<kWritesFirst>(lowest[2 * k + 1], io.firstInput[i], gain[i], levels);
    io.secondOutput[i] =
        playSample<kWritesSecond>(lowest[2 * k], io.secondInput[i], gain[i], levels);
  }
}

}  // namespace quarvine::spans

// The buffers of one audio benchmark: one block of host channels and an
// engine whose loop holds a given number of floats, and the conditions in
// which the blocks run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "loop_engine.h"
#include "loop_fixture.h"

namespace quarvine::bench {

// The levels of the default program with a little dry signal.
constexpr MixLevels kLevels{0.95f, 1.0f, 0.5f};
// Where a recording at full gain holds.
constexpr float kHeldGain = 0x1.0147a2p+0f;

// The record condition in which every block of a benchmark starts. A ramp
// block is one in which the pedal has just gone down: 201 frames of ramp
// from gain 0, then full gain. A fade block is one in which it has just come
// up: 202 frames of fade from full gain, then idle. Blocks of 64 frames
// ramp or fade throughout.
struct Condition {
  const char* name;
  bool recording;
  float gain;
  bool restartEachBlock;
};

constexpr Condition kIdle{"idle", false, 0.0f, false};
constexpr Condition kFull{"full", true, kHeldGain, false};
constexpr Condition kRamp{"ramp", true, 0.0f, true};
constexpr Condition kFade{"fade", false, kHeldGain, true};

// Floats between scale / 4 and scale, never zero.
inline std::vector<float> pattern(size_t count, float scale) {
  std::vector<float> values(count);
  for (size_t i = 0; i < count; ++i) {
    values[i] = scale * (0.25f + 0.75f * static_cast<float>((i * 37) % 101) / 100.0f);
  }
  return values;
}

struct BlockRig {
  BlockRig(int32_t loopLength, int32_t frames, bool stereo, Condition condition,
           float loopScale = 0.5f, float inputScale = 0.25f)
      : frames(frames),
        stereo(stereo),
        condition(condition),
        first(pattern(static_cast<size_t>(frames), inputScale)),
        second(pattern(static_cast<size_t>(frames), -inputScale)),
        firstOut(static_cast<size_t>(frames)),
        secondOut(static_cast<size_t>(frames)),
        loop(pattern(static_cast<size_t>(loopLength), loopScale)) {
    test::installLoop(engine, loop, stereo ? 2 : 1);
    engine.recording = condition.recording;
    engine.inputGain = condition.gain;
  }

  // Call before each block.
  void startBlock() {
    if (condition.restartEachBlock) {
      engine.inputGain = condition.gain;
    }
  }
  const float* secondInput() const { return stereo ? second.data() : nullptr; }

  // Reports the time per channel sample beside the time per block.
  void countSamples(benchmark::State& state) const {
    state.counters["per_sample"] =
        benchmark::Counter(static_cast<double>(frames) * (stereo ? 2 : 1),
                           benchmark::Counter::kIsIterationInvariantRate |
                               benchmark::Counter::kInvert);
  }

  int32_t frames;
  bool stereo;
  Condition condition;
  std::vector<float> first;
  std::vector<float> second;
  std::vector<float> firstOut;
  std::vector<float> secondOut;
  std::vector<float> loop;
  LoopEngine engine;
};

}  // namespace quarvine::bench

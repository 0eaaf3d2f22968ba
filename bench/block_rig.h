// The buffers of one audio benchmark: one block of host channels and an
// engine whose loop holds a given number of floats, and the conditions in
// which the blocks run.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "limit_kernel.h"
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

// The host's four channel buffers in one block of memory, each starting on
// its own page and the next a quarter page further on. Every benchmark sees
// the same layout, and no input shares the low twelve bits of its address
// with an output: where they do, the CPU holds loads behind unrelated
// stores, which made identical kernels differ by up to 2.5 times from one
// run to the next, depending on where the allocator had put their buffers.
class HostBuffers {
public:
  explicit HostBuffers(int32_t frames)
      : pageFloats(roundUp(static_cast<size_t>(frames), kPageFloats)),
        memory(kPageFloats + 4 * pageFloats + kPageFloats) {}

  // 0 and 1 are the inputs, 2 and 3 the outputs.
  float* channel(int index) {
    float* const page = alignToPage(memory.data());
    return page + static_cast<size_t>(index) * (pageFloats + kPageFloats / 4);
  }

private:
  static constexpr size_t kPageFloats = 4096 / sizeof(float);

  static size_t roundUp(size_t count, size_t unit) { return (count + unit - 1) / unit * unit; }
  static float* alignToPage(float* start) {
    const auto address = reinterpret_cast<uintptr_t>(start);
    return start + (roundUp(address, 4096) - address) / sizeof(float);
  }

  size_t pageFloats;
  std::vector<float> memory;
};

struct BlockRig {
  BlockRig(int32_t loopLength, int32_t frames, bool stereo, Condition condition,
           float loopScale = 0.5f, float inputScale = 0.25f)
      : frames(frames),
        stereo(stereo),
        condition(condition),
        buffers(frames),
        first(buffers.channel(0)),
        second(buffers.channel(1)),
        firstOut(buffers.channel(2)),
        secondOut(buffers.channel(3)) {
    const std::vector<float> firstValues = pattern(static_cast<size_t>(frames), inputScale);
    const std::vector<float> secondValues = pattern(static_cast<size_t>(frames), -inputScale);
    std::copy(firstValues.begin(), firstValues.end(), first);
    std::copy(secondValues.begin(), secondValues.end(), second);
    test::installLoop(engine, pattern(static_cast<size_t>(loopLength), loopScale),
                      stereo ? 2 : 1);
    engine.recording = condition.recording;
    engine.inputGain = condition.gain;
  }

  // Call before each block.
  void startBlock() {
    if (condition.restartEachBlock) {
      engine.inputGain = condition.gain;
    }
  }
  const float* secondInput() const { return stereo ? second : nullptr; }

  // One block of the engine.
  void engineBlock(const MixLevels& levels) {
    engine.processReplacing(first, secondInput(), firstOut, secondOut, frames, levels);
  }

  // One block of the limit kernel, on the engine's own loop: its span moves
  // through the loop as the engine's position does and starts again at 0
  // when the next block would run past the end.
  void limitBlock(const MixLevels& levels, float gain) {
    const int32_t span = frames * (stereo ? 2 : 1);
    if (limitPosition + span > engine.loopLength) {
      limitPosition = 0;
    }
    bench::limitBlock(first, secondInput(), firstOut, secondOut,
                      engine.loopBuffer + limitPosition, frames, levels, gain);
    limitPosition += span;
  }

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
  HostBuffers buffers;
  float* first;
  float* second;
  float* firstOut;
  float* secondOut;
  LoopEngine engine;
  int32_t limitPosition = 0;
};

}  // namespace quarvine::bench

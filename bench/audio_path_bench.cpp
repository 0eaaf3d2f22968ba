// The audio path per block, for each record condition, block size, channel
// count and loop length, beside the limit kernel and the sample-by-sample
// transcription on the same buffers, in a host that leaves subnormals alone
// (as this benchmark's own thread does) and in one that flushes them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "block_rig.h"
#include "flush_denormals.h"
#include "reference_audio_path.h"

namespace quarvine::bench {
namespace {

constexpr int32_t kBlockSizes[] = {64, 512, 4096};
constexpr int32_t kLoopLengths[] = {176400, 705600};
constexpr Condition kConditions[] = {kIdle, kFull, kRamp, kFade};

struct Shape {
  int32_t loopLength;
  int32_t frames;
  bool stereo;

  std::string name() const {
    return std::string(stereo ? "stereo" : "mono") + "/loop:" + std::to_string(loopLength) +
           "/block:" + std::to_string(frames);
  }
};

void engineBlocks(benchmark::State& state, Shape shape, Condition condition) {
  BlockRig rig(shape.loopLength, shape.frames, shape.stereo, condition);
  for (auto _ : state) {
    rig.startBlock();
    rig.engineBlock(kLevels);
  }
  rig.countSamples(state);
}

// As above in a host that flushes subnormals itself, where the engine
// leaves the floating-point control register alone.
void engineBlocksInFlushingHost(benchmark::State& state, Shape shape, Condition condition) {
  uint32_t flushing = 0;
  const FlushDenormals host(flushing);
  engineBlocks(state, shape, condition);
}

void straightBlocks(benchmark::State& state, Shape shape, Condition condition) {
  BlockRig rig(shape.loopLength, shape.frames, shape.stereo, condition);
  for (auto _ : state) {
    rig.startBlock();
    test::referenceProcessReplacing(rig.engine, rig.first, rig.secondInput(), rig.firstOut,
                                    rig.secondOut, rig.frames, kLevels);
  }
  rig.countSamples(state);
}

void limitBlocks(benchmark::State& state, Shape shape) {
  BlockRig rig(shape.loopLength, shape.frames, shape.stereo, kFull);
  for (auto _ : state) {
    rig.limitBlock(kLevels, kHeldGain);
  }
  rig.countSamples(state);
}

const bool kRegistered = [] {
  for (const int32_t loopLength : kLoopLengths) {
    for (const bool stereo : {false, true}) {
      for (const int32_t frames : kBlockSizes) {
        const Shape shape{loopLength, frames, stereo};
        benchmark::RegisterBenchmark(("audio/limit/" + shape.name()).c_str(), limitBlocks,
                                     shape);
        for (const Condition& condition : kConditions) {
          const std::string suffix = std::string(condition.name) + "/" + shape.name();
          benchmark::RegisterBenchmark(("audio/engine/" + suffix).c_str(), engineBlocks, shape,
                                       condition);
          benchmark::RegisterBenchmark(("audio/engine-flushing-host/" + suffix).c_str(),
                                       engineBlocksInFlushingHost, shape, condition);
          benchmark::RegisterBenchmark(("audio/straight/" + suffix).c_str(), straightBlocks,
                                       shape, condition);
        }
      }
    }
  }
  return true;
}();

}  // namespace
}  // namespace quarvine::bench

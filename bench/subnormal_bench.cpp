// A loop full of subnormal floats beside one of normal floats, played and
// overdubbed with silence at feedback 1, where nothing decays: the engine
// must run both at the same speed. The limit kernel on the same data, which
// does not flush, shows what the subnormal floats would cost.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "block_rig.h"

namespace quarvine::bench {
namespace {

constexpr int32_t kLoopLength = 176400;
constexpr int32_t kFrames = 512;
constexpr MixLevels kKeepLevels{1.0f, 1.0f, 0.5f};

struct Contents {
  const char* name;
  float loopScale;
};

constexpr Contents kNormal{"normal", 1e-3f};
// Every float of this loop lies below the smallest normal float, 1.18e-38.
constexpr Contents kSubnormal{"subnormal", 1e-39f};

void engineBlocks(benchmark::State& state, Contents contents, Condition condition) {
  BlockRig rig(kLoopLength, kFrames, false, condition, contents.loopScale, 0.0f);
  for (auto _ : state) {
    rig.engineBlock(kKeepLevels);
  }
  rig.countSamples(state);
}

void unflushedLimitBlocks(benchmark::State& state, Contents contents) {
  BlockRig rig(kLoopLength, kFrames, false, kFull, contents.loopScale, 0.0f);
  for (auto _ : state) {
    rig.limitBlock(kKeepLevels, kHeldGain);
  }
  rig.countSamples(state);
}

const bool kRegistered = [] {
  const std::string shape = "/mono/loop:" + std::to_string(kLoopLength) +
                            "/block:" + std::to_string(kFrames);
  for (const Contents& contents : {kNormal, kSubnormal}) {
    for (const Condition& condition : {kIdle, kFull}) {
      benchmark::RegisterBenchmark(
          ("subnormal/engine/" + std::string(condition.name) + "/" + contents.name + shape)
              .c_str(),
          engineBlocks, contents, condition);
    }
    benchmark::RegisterBenchmark(
        ("subnormal/unflushed-limit/full/" + std::string(contents.name) + shape).c_str(),
        unflushedLimitBlocks, contents);
  }
  return true;
}();

}  // namespace
}  // namespace quarvine::bench

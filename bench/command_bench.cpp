// Every MIDI command on the largest loops, beside a memcpy of the bytes of
// the loop that the command leaves. Duplicate and mirror start from half
// the capacity, the most they accept, and so fill it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "block_rig.h"
#include "loop_engine.h"
#include "loop_fixture.h"

namespace quarvine::bench {
namespace {

constexpr int32_t kNoteOn = 0x90;
constexpr int32_t kControlChange = 0xB0;

struct Command {
  const char* name;
  int32_t status;
  int8_t data1;
  int8_t data2;
  bool octaveDown;
  // Mono lengths before and after; stereo doubles both.
  int32_t lengthBefore;
  int32_t lengthAfter;
};

constexpr int32_t kLargest = kMaxLoopFrames;

constexpr Command kCommands[] = {
    {"clear", kNoteOn, 36, 100, false, kLargest, kLargest},
    {"loop-seconds", kControlChange, 127, 8, false, kLargest, kLargest},
    {"octave-doubling", kNoteOn, 55, 100, false, kLargest, 2 * kLargest},
    {"octave-halving", kNoteOn, 55, 100, true, kLargest, kLargest / 2},
    {"fold", kNoteOn, 82, 100, false, kLargest, kLargest / 2},
    {"duplicate", kNoteOn, 84, 100, false, kLargest / 2, kLargest},
    {"mirror", kNoteOn, 87, 100, false, kLargest / 2, kLargest},
    {"reverse-mix", kNoteOn, 91, 100, false, kLargest, kLargest},
};

// Each command runs on a fresh copy of the same loop, installed outside the
// timing.
void commandRuns(benchmark::State& state, Command command, int32_t channels) {
  const std::vector<float> loop = pattern(static_cast<size_t>(command.lengthBefore * channels),
                                          0.5f);
  LoopEngine engine;
  for (auto _ : state) {
    state.PauseTiming();
    test::installLoop(engine, loop, channels, 1, 2);
    engine.octaveDown = command.octaveDown;
    state.ResumeTiming();
    engine.handleMidiMessage(command.status, command.data1, command.data2);
  }
  if (engine.loopLength != command.lengthAfter * channels) {
    state.SkipWithError("the command left another length than expected");
  }
}

void copyRuns(benchmark::State& state, Command command, int32_t channels) {
  const size_t floats = static_cast<size_t>(command.lengthAfter * channels);
  const std::vector<float> from = pattern(floats, 0.5f);
  std::vector<float> to(floats);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), floats * sizeof(float));
    benchmark::ClobberMemory();
  }
}

const bool kRegistered = [] {
  for (const Command& command : kCommands) {
    for (const int32_t channels : {1, 2}) {
      const std::string suffix =
          std::string(command.name) + (channels == 2 ? "/stereo" : "/mono");
      benchmark::RegisterBenchmark(("command/" + suffix).c_str(), commandRuns, command, channels)
          ->Unit(benchmark::kMicrosecond);
      benchmark::RegisterBenchmark(("copy/" + suffix).c_str(), copyRuns, command, channels)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace quarvine::bench

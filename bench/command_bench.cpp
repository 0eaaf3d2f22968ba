// Every MIDI command on the largest loops, beside a memcpy of as many bytes
// as the longer of the two loops holds, the old one that the command reads
// or the new one that it writes. Duplicate and mirror start from half the
// capacity, the most they accept, and so fill it.
//
// Between two timed runs another command, untimed, brings the loop back to
// the length the timed one starts from, as a player working the notes would:
// the allocator sees the same pattern of blocks as in a live set. The page
// faults of each timed run are counted beside its time.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "block_rig.h"
#include "loop_engine.h"
#include "loop_fixture.h"
#include "midi_map.h"

namespace quarvine::bench {
namespace {

using namespace midi;

constexpr int8_t kVelocity = 100;

constexpr int32_t kLargest = kMaxLoopFrames;

struct Message {
  int32_t status;
  int8_t data1;
  int8_t data2;
};

struct Command {
  const char* name;
  Message message;
  bool octaveDown;
  // Mono lengths before and after; stereo doubles both.
  int32_t lengthBefore;
  int32_t lengthAfter;
  // The untimed note that brings the loop back to lengthBefore.
  Message restore;
  // Whether the allocator hands all free memory back to the system before
  // each run, so that the new block comes fresh from it, page by page.
  bool freshBlock;
};

constexpr Message kNone{0, 0, 0};

constexpr Command kCommands[] = {
    {"clear", {kNoteOn, kClearNote, kVelocity}, false, kLargest, kLargest, kNone, false},
    {"loop-seconds", {kControlChange, kLoopSecondsController, 8}, false, kLargest, kLargest, kNone,
     false},
    {"loop-seconds-fresh-block", {kControlChange, kLoopSecondsController, 8}, false, kLargest,
     kLargest, kNone, true},
    {"octave-doubling", {kNoteOn, kOctaveNote, kVelocity}, false, kLargest, 2 * kLargest,
     {kNoteOn, kOctaveNote, kVelocity}, false},
    {"octave-halving", {kNoteOn, kOctaveNote, kVelocity}, true, kLargest, kLargest / 2,
     {kNoteOn, kOctaveNote, kVelocity}, false},
    {"fold", {kNoteOn, kFoldNote, kVelocity}, false, kLargest, kLargest / 2,
     {kNoteOn, kDuplicateNote, kVelocity}, false},
    {"duplicate", {kNoteOn, kDuplicateNote, kVelocity}, false, kLargest / 2, kLargest,
     {kNoteOn, kFoldNote, kVelocity}, false},
    {"mirror", {kNoteOn, kMirrorNote, kVelocity}, false, kLargest / 2, kLargest,
     {kNoteOn, kFoldNote, kVelocity}, false},
    {"reverse-mix", {kNoteOn, kReverseMixNote, kVelocity}, false, kLargest, kLargest, kNone, false},
};

long minorFaults() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_minflt;
}

void send(LoopEngine& engine, Message message) {
  engine.handleMidiMessage(message.status, message.data1, message.data2);
}

void commandRuns(benchmark::State& state, Command command, int32_t channels) {
  LoopEngine engine;
  test::installLoop(engine, pattern(static_cast<size_t>(command.lengthBefore * channels), 0.5f),
                    channels);
  engine.octaveDown = command.octaveDown;
  long faults = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (command.freshBlock) {
      malloc_trim(0);
    }
    const long faultsBefore = minorFaults();
    state.ResumeTiming();
    send(engine, command.message);
    state.PauseTiming();
    faults += minorFaults() - faultsBefore;
    if (engine.loopLength != command.lengthAfter * channels) {
      state.SkipWithError("the command left another length than expected");
      break;
    }
    if (command.restore.status != 0) {
      send(engine, command.restore);
    }
    // Sums of the loop with itself would double it at every run.
    for (int32_t i = 0; i < engine.loopLength; ++i) {
      engine.loopBuffer[i] *= 0.5f;
    }
    state.ResumeTiming();
  }
  state.counters["page_faults"] =
      benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

void copyRuns(benchmark::State& state, Command command, int32_t channels) {
  const size_t floats =
      static_cast<size_t>(std::max(command.lengthBefore, command.lengthAfter) * channels);
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

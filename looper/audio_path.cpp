// The audio path: plays the loop, mixes in the dry input, overdubs while
// recording or fading, and steps the playing position. It allocates nothing,
// takes no lock and calls nothing.
//
// A block is cut into stretches of frames in one record condition (idle,
// ramp, full gain, fade), and each stretch into spans in which the position
// does not wrap; each span runs one of the loops of span_loops.h, with no
// remainder or branch per sample. Most blocks are a single span: one
// condition throughout and no wrap. The results are the bits of the per-sample
// definition: the same float operations on the same values in the same
// order.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "flush_denormals.h"
#include "gain_journeys.h"
#include "loop_engine.h"
#include "span_loops.h"

namespace quarvine {
namespace {

using spans::HeldGain;
using spans::HostChannels;
using spans::Overdub;
using spans::SteppedGain;

// Frames whose gains a ramp or fade off the usual journeys steps ahead of
// its spans.
constexpr int32_t kGainChunk = 256;

// One block as its stretches see it; the position is the engine's own.
struct BlockRun {
  HostChannels io;
  MixLevels levels;
  float* loop;
  int32_t length;
  int32_t& position;
};

// A span of at most this many frames runs as it starts, aligned or not:
// running its first frames alone would cost more than it saves.
constexpr int32_t kAlignedSpanFrames = 16;

// Frames from `sample` to the next float on a 16-byte boundary.
inline int32_t framesToAlignment(const float* sample) {
  const auto floats = static_cast<int32_t>(reinterpret_cast<uintptr_t>(sample) / sizeof(float));
  return (4 - floats % 4) % 4;
}

template <int kStep>
int32_t nextPosition(int32_t position, int32_t length) {
  if (kStep > 0) {
    return position + 1 == length ? 0 : position + 1;
  }
  return position == 0 ? length - 1 : position - 1;
}

// A stereo frame whose channel 0 is the last float before the wrap and whose
// channel 1 is the first after it. In a loop of one float both channels are
// that float, so the channels run one after the other, each reading what the
// one before it wrote.
template <int kStep, Overdub kOverdub>
void wrappingFrame(BlockRun& run, int32_t frame, float gain) {
  const HostChannels& io = run.io;
  const float* const inputs[2] = {io.firstInput, io.secondInput};
  float* const outputs[2] = {io.firstOutput, io.secondOutput};
  for (int channel = 0; channel < 2; ++channel) {
    float& slot = run.loop[run.position];
    const float held = slot;
    const float input = inputs[channel][frame];
    outputs[channel][frame] = spans::mixedOutput(held, input, run.levels);
    if (channel == 0 ? kOverdub != Overdub::kNone : kOverdub == Overdub::kAllChannels) {
      slot = spans::overdub(held, input, gain, run.levels);
    }
    run.position = nextPosition<kStep>(run.position, run.length);
  }
}

template <int kStep, int kChannels, Overdub kOverdub, typename Gain>
void walkStretch(BlockRun& run, int32_t first, int32_t frames, Gain gain) {
  int32_t done = 0;
  while (done < frames) {
    const int32_t position = run.position;
    // Channel samples from the position up to and including the last one
    // before the wrap.
    const int32_t room = kStep > 0 ? run.length - position : position + 1;
    int32_t whole = std::min(frames - done, room / kChannels);
    const int32_t frame = first + done;
    // A span that starts off the 16-byte alignment of the host's buffers, as
    // one after a wrap or a change of gain can, runs its first frames alone,
    // so that the rest moves whole aligned vectors: vectors split across
    // cache lines made such a block up to half as slow again.
    const int32_t head = framesToAlignment(run.io.firstOutput + frame);
    if (head != 0 && whole > kAlignedSpanFrames) {
      whole = head;
    }
    // Only a stereo frame can straddle the wrap, with one float on each side.
    if (kChannels == 2 && whole == 0) {
      wrappingFrame<kStep, kOverdub>(run, frame, gain[done]);
      ++done;
      continue;
    }
    const HostChannels io{run.io.firstInput + frame,
                          kChannels == 2 ? run.io.secondInput + frame : nullptr,
                          run.io.firstOutput + frame, run.io.secondOutput + frame};
    float* const slot = run.loop + position;
    if (kChannels == 1) {
      spans::monoSpan<kStep, kOverdub>(io, slot, whole, run.levels, gain.from(done));
    } else if (kStep > 0) {
      spans::stereoSpan<1, kOverdub>(io, slot, whole, run.levels, gain.from(done));
    } else {
      spans::stereoSpan<-1, kOverdub>(io, slot, whole, run.levels, gain.from(done));
    }
    const int32_t moved = whole * kChannels;
    if (moved == room) {
      run.position = kStep > 0 ? 0 : run.length - 1;
    } else {
      run.position = position + kStep * moved;
    }
    done += whole;
  }
}

template <Overdub kOverdub, typename Gain>
void runStretch(BlockRun& run, bool stereo, bool reverse, int32_t first, int32_t frames,
                Gain gain) {
  if (stereo) {
    reverse ? walkStretch<-1, 2, kOverdub>(run, first, frames, gain)
            : walkStretch<1, 2, kOverdub>(run, first, frames, gain);
  } else {
    reverse ? walkStretch<-1, 1, kOverdub>(run, first, frames, gain)
            : walkStretch<1, 1, kOverdub>(run, first, frames, gain);
  }
}

// The gains of the next frames of a ramp (kRising) or fade from `gain`, read
// from its usual journey: `count` of them, at most `frames`, up to the frame
// where the gain passes its bound. Null when the gain is off the journey or
// the host's rounding steps it otherwise.
template <bool kRising>
const float* journeyGains(float gain, int32_t frames, bool roundsToNearest, int32_t& count) {
  constexpr journeys::Journey kJourney = journeys::journey<kRising>();
  const int32_t next = journeys::following<kRising>(gain);
  if (next < 0) {
    return nullptr;
  }
  count = std::min(frames, kJourney.length - next);
  const float* const gains = kJourney.gains + next;
  return roundsToNearest || journeys::confirms<kRising>(gains, gain, count) ? gains : nullptr;
}

// While recording every channel is overdubbed; the fade overdubs channel 0
// only, with the lowered gain.
template <bool kRising>
constexpr Overdub kChangingGainOverdub = kRising ? Overdub::kAllChannels : Overdub::kFirstChannel;

// A stretch of ramp (kRising) or fade from `gain`: up to `frames` frames, to
// the frame where the gain passes its bound. Returns the frames run; `gain`
// is left at the last one's.
template <bool kRising>
int32_t changingGainStretch(BlockRun& run, bool stereo, bool reverse, bool roundsToNearest,
                            int32_t first, int32_t frames, float& gain) {
  constexpr Overdub kOverdub = kChangingGainOverdub<kRising>;
  int32_t onJourney = 0;
  if (const float* const gains = journeyGains<kRising>(gain, frames, roundsToNearest, onJourney)) {
    runStretch<kOverdub>(run, stereo, reverse, first, onJourney, SteppedGain{gains});
    gain = gains[onJourney - 1];
    return onJourney;
  }
  // Off the usual journeys the gains are stepped here, a chunk ahead.
  float gains[kGainChunk];
  const int32_t most = std::min(frames, kGainChunk);
  int32_t count = 0;
  while (count < most && (kRising ? gain < 1.0f : gain > 0.0f)) {
    if (kRising) {
      gain += kGainStep;
    } else {
      gain -= kGainStep;
    }
    gains[count++] = gain;
  }
  runStretch<kOverdub>(run, stereo, reverse, first, count, SteppedGain{gains});
  return count;
}

// One span over a whole block.
template <Overdub kOverdub, typename Gain>
void blockSpan(const HostChannels& io, float* slot, int32_t frames, bool stereo, bool reverse,
               const MixLevels& levels, Gain gain) {
  if (!stereo) {
    reverse ? spans::monoSpan<-1, kOverdub>(io, slot, frames, levels, gain)
            : spans::monoSpan<1, kOverdub>(io, slot, frames, levels, gain);
  } else if (reverse) {
    spans::stereoSpan<-1, kOverdub>(io, slot, frames, levels, gain);
  } else {
    spans::stereoSpan<1, kOverdub>(io, slot, frames, levels, gain);
  }
}

// A block that ends before the wrap and whose gain holds, or ramps or fades
// on its usual journey through the whole block, as most blocks do: one
// span, with none of a stretch's bookkeeping. False, with nothing done, for
// any other block.
bool singleSpanBlock(const HostChannels& io, float* slot, int32_t frames, bool stereo,
                     bool reverse, bool recording, bool roundsToNearest,
                     const MixLevels& levels, float& gain) {
  if (recording ? !(gain < 1.0f) : !(gain > 0.0f)) {
    if (recording) {
      blockSpan<Overdub::kAllChannels>(io, slot, frames, stereo, reverse, levels, HeldGain{gain});
    } else {
      blockSpan<Overdub::kNone>(io, slot, frames, stereo, reverse, levels, HeldGain{gain});
    }
    return true;
  }
  int32_t count = 0;
  const float* const gains = recording
                                 ? journeyGains<true>(gain, frames, roundsToNearest, count)
                                 : journeyGains<false>(gain, frames, roundsToNearest, count);
  if (gains == nullptr || count < frames) {
    return false;
  }
  if (recording) {
    blockSpan<kChangingGainOverdub<true>>(io, slot, frames, stereo, reverse, levels,
                                          SteppedGain{gains});
  } else {
    blockSpan<kChangingGainOverdub<false>>(io, slot, frames, stereo, reverse, levels,
                                           SteppedGain{gains});
  }
  gain = gains[frames - 1];
  return true;
}

// Any other block, stretch after stretch. The gain moves once per frame,
// before the frame's first write: it ramps while recording below 1.0 and
// fades while not recording above 0.0, and holds otherwise, so each
// condition lasts from a frame to the block's end or to the frame where the
// gain passes its bound. Kept out of line, so that the usual block does not
// pay for this one's registers and stack.
[[gnu::noinline]] void stretchBlock(BlockRun& run, bool recording, bool stereo, bool reverse,
                                   bool roundsToNearest, int32_t sampleFrames, float& gain) {
  int32_t frame = 0;
  while (frame < sampleFrames) {
    const int32_t remaining = sampleFrames - frame;
    if (recording && !(gain < 1.0f)) {
      runStretch<Overdub::kAllChannels>(run, stereo, reverse, frame, remaining, HeldGain{gain});
      frame = sampleFrames;
    } else if (!recording && !(gain > 0.0f)) {
      runStretch<Overdub::kNone>(run, stereo, reverse, frame, remaining, HeldGain{gain});
      frame = sampleFrames;
    } else if (recording) {
      frame += changingGainStretch<true>(run, stereo, reverse, roundsToNearest, frame, remaining,
                                         gain);
    } else {
      frame += changingGainStretch<false>(run, stereo, reverse, roundsToNearest, frame,
                                          remaining, gain);
    }
  }
}

}  // namespace

void LoopEngine::processReplacing(const float* firstInput, const float* secondInput,
                                  float* firstOutput, float* secondOutput, int32_t sampleFrames,
                                  const MixLevels& levels) {
  numChannels = secondInput != nullptr ? 2 : 1;
  if (sampleFrames <= 0) {
    return;
  }
  // Subnormal loop floats would stall the arithmetic; flushing them changes
  // only values below the smallest normal float, which are inaudible.
  const FlushDenormals flush(flushingControl);
  const int64_t samples = int64_t{sampleFrames} * numChannels;
  if ((reverse ? samples <= playPos : samples < loopLength - playPos) &&
      singleSpanBlock({firstInput, secondInput, firstOutput, secondOutput}, loopBuffer + playPos,
                      sampleFrames, numChannels == 2, reverse, recording,
                      flush.roundsToNearest(), levels, inputGain)) {
    playPos = static_cast<int32_t>(reverse ? playPos - samples : playPos + samples);
    return;
  }
  BlockRun run{{firstInput, secondInput, firstOutput, secondOutput},
               levels,
               loopBuffer,
               loopLength,
               playPos};
  stretchBlock(run, recording, numChannels == 2, reverse, flush.roundsToNearest(), sampleFrames,
               inputGain);
}

}  // namespace quarvine

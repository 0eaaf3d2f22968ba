// The audio path: plays the loop, mixes in the dry input, overdubs while
// recording or fading, and steps the playing position. It allocates nothing,
// takes no lock and calls nothing.
//
// A block is cut into stretches of frames in one record condition (idle,
// ramp, full gain, fade), and each stretch into spans in which the position
// does not wrap; each span runs one of the loops of span_loops.h, with no
// remainder or branch per sample. The results are the bits of the per-sample
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

// Spans shorter than this are left as they start.
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

// A stretch of ramp (kRising) or fade from `gain`: up to `frames` frames, to
// the frame where the gain passes its bound. Returns the frames run; `gain`
// is left at the last one's.
template <bool kRising>
int32_t changingGainStretch(BlockRun& run, bool stereo, bool reverse, bool roundsToNearest,
                            int32_t first, int32_t frames, float& gain) {
  // While recording every channel is overdubbed; the fade overdubs channel
  // 0 only, with the lowered gain.
  constexpr Overdub kOverdub = kRising ? Overdub::kAllChannels : Overdub::kFirstChannel;
  constexpr journeys::Journey kJourney = journeys::journey<kRising>();
  const int32_t next = journeys::following<kRising>(gain);
  if (next >= 0) {
    const int32_t count = std::min(frames, kJourney.length - next);
    const float* const gains = kJourney.gains + next;
    if (roundsToNearest || journeys::confirms<kRising>(gains, gain, count)) {
      runStretch<kOverdub>(run, stereo, reverse, first, count, SteppedGain{gains});
      gain = gains[count - 1];
      return count;
    }
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

// A block whose gain holds and which ends before the wrap, as most blocks
// do: one span, with none of a stretch's bookkeeping.
template <Overdub kOverdub>
void heldSpan(const HostChannels& io, float* slot, int32_t frames, bool stereo, bool reverse,
              MixLevels levels, float gain) {
  if (!stereo) {
    reverse ? spans::monoSpan<-1, kOverdub>(io, slot, frames, levels, HeldGain{gain})
            : spans::monoSpan<1, kOverdub>(io, slot, frames, levels, HeldGain{gain});
  } else if (reverse) {
    spans::stereoSpan<-1, kOverdub>(io, slot, frames, levels, HeldGain{gain});
  } else {
    spans::stereoSpan<1, kOverdub>(io, slot, frames, levels, HeldGain{gain});
  }
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
  const bool held = recording ? !(inputGain < 1.0f) : !(inputGain > 0.0f);
  const int64_t samples = int64_t{sampleFrames} * numChannels;
  if (held && (reverse ? samples <= playPos : samples < loopLength - playPos)) {
    const HostChannels io{firstInput, secondInput, firstOutput, secondOutput};
    float* const slot = loopBuffer + playPos;
    if (recording) {
      heldSpan<Overdub::kAllChannels>(io, slot, sampleFrames, numChannels == 2, reverse, levels,
                                      inputGain);
    } else {
      heldSpan<Overdub::kNone>(io, slot, sampleFrames, numChannels == 2, reverse, levels,
                               inputGain);
    }
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

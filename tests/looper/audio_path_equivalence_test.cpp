// The engine's audio path against the sample-by-sample oracle: random
// sequences of blocks must leave the same bits in both outputs, the loop,
// the playing position and the record gain.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "flush_denormals.h"
#include "loop_engine.h"
#include "loop_fixture.h"
#include "reference_audio_path.h"

namespace quarvine::test {
namespace {

// Channel samples per run: half a second here, a few seconds under the
// sanitizers.
constexpr int64_t kChannelSampleBudget = 6'000'000;
constexpr int kBlocksPerLoop = 24;

// How the host lays out a block's buffers.
enum class Buffers { kSeparate, kInPlace, kCrossed };

class RandomSession {
public:
  explicit RandomSession(uint32_t seed) : random(seed) {}

  int32_t loopLength() {
    switch (pick(6)) {
      case 0: return 1;
      case 1: return 2 + pick(3);
      case 2: return 2 * pick(40) + 5;  // odd, often shorter than a block
      case 3: return 64 + pick(600);
      case 4: return 1000 + pick(6000);
      default: return 30000 + pick(40000);
    }
  }

  int32_t blockFrames(int32_t loopLength) {
    switch (pick(9)) {
      case 0: return 0;
      case 1: return 1;
      case 2: return 2 + pick(7);
      case 3: return 64;
      case 4: return 512;
      case 5: return loopLength + 1 + pick(2 * loopLength + 3);  // wraps more than once
      case 6: return pick(12) == 0 ? -1 : 3 + pick(200);
      default: return 1 + pick(1500);
    }
  }

  // Mostly ordinary levels, now and then a tiny or silent stretch so that
  // subnormal values and exact zeros reach the arithmetic.
  std::vector<float> samples(size_t count) {
    std::vector<float> values(count);
    const int kind = pick(10);
    for (float& value : values) {
      if (kind == 0) {
        value = 0.0f;
      } else if (kind == 1) {
        value = uniform(-1.0f, 1.0f) * 2e-38f;
      } else {
        value = uniform(-1.0f, 1.0f);
      }
    }
    return values;
  }

  // Feedback stays within [-1, 1] so that long runs on short loops keep
  // finite values; the mix levels may be anything.
  float feedback() {
    switch (pick(5)) {
      case 0: return 0.0f;
      case 1: return 1.0f;
      case 2: return 0.95f;
      default: return uniform(-1.0f, 1.0f);
    }
  }
  float mix() { return pick(4) == 0 ? 1.0f : uniform(-1.5f, 1.5f); }

  // Gains at rest, mid-ramp, held, at the end of a fade, anywhere near, or
  // far enough off for a ramp or fade of several hundred frames.
  float gain() {
    switch (pick(6)) {
      case 0: return 0.0f;
      case 1: return static_cast<float>(pick(202)) * kGainStep;
      case 2: return 0x1.0147a2p+0f;
      case 3: return -0x1.47ac74p-8f;
      case 4: return uniform(-3.0f, 4.0f);
      default: return uniform(-0.05f, 1.05f);
    }
  }

  int32_t pick(int32_t count) {
    return std::uniform_int_distribution<int32_t>(0, count - 1)(random);
  }
  bool chance(double p) { return std::bernoulli_distribution(p)(random); }
  float uniform(float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
  }

private:
  std::mt19937 random;
};

// One block's buffers as the host passes them. In place, each output is its
// own input; crossed, each output overwrites the other channel's input (the
// second output overwrites the only input of a mono block).
struct HostBlock {
  std::vector<float> first;
  std::vector<float> second;
  std::vector<float> firstOut;
  std::vector<float> secondOut;
  bool stereo;
  Buffers layout;

  void run(LoopEngine& engine, MixLevels levels, int32_t frames, bool reference) {
    const float* in0 = first.data();
    const float* in1 = stereo ? second.data() : nullptr;
    float* out0 = firstOut.data();
    float* out1 = secondOut.data();
    if (layout == Buffers::kInPlace) {
      out0 = first.data();
      if (stereo) out1 = second.data();
    } else if (layout == Buffers::kCrossed) {
      out1 = first.data();
      if (stereo) out0 = second.data();
    }
    if (reference) {
      referenceProcessReplacing(engine, in0, in1, out0, out1, frames, levels);
    } else {
      engine.processReplacing(in0, in1, out0, out1, frames, levels);
    }
  }
};

// The engine and the oracle, given the same loop and driven block by block
// in lock step.
struct Twins {
  Twins(const std::vector<float>& loop, int32_t channels, int32_t playPos) {
    installLoop(fast, loop, channels, playPos);
    installLoop(reference, loop, channels, playPos);
  }

  void setGain(float gain) { fast.inputGain = reference.inputGain = gain; }
  void setRecording(bool on) { fast.recording = reference.recording = on; }
  void setReverse(bool on) { fast.reverse = reference.reverse = on; }
  void setPlayPos(int32_t position) { fast.playPos = reference.playPos = position; }

  // Both paths see the same floating-point control state: the engine sets
  // flush-to-zero and denormals-are-zero itself, so the oracle runs under
  // the same setting, and subnormal values are compared too.
  void play(const HostBlock& block, MixLevels levels, int32_t frames) {
    const std::string context = describe(block, levels, frames);
    HostBlock mine = block;
    HostBlock oracle = block;
    mine.run(fast, levels, frames, false);
    {
      uint32_t flushing = 0;
      const FlushDenormals flush(flushing);
      oracle.run(reference, levels, frames, true);
    }
    ASSERT_EQ(bitsOf(mine.first), bitsOf(oracle.first)) << context;
    ASSERT_EQ(bitsOf(mine.second), bitsOf(oracle.second)) << context;
    ASSERT_EQ(bitsOf(mine.firstOut), bitsOf(oracle.firstOut)) << context;
    ASSERT_EQ(bitsOf(mine.secondOut), bitsOf(oracle.secondOut)) << context;
    ASSERT_EQ(stateOf(fast).loopBits, stateOf(reference).loopBits) << context;
    ASSERT_EQ(fast.playPos, reference.playPos) << context;
    ASSERT_EQ(bitsOf(fast.inputGain), bitsOf(reference.inputGain)) << context;
    ASSERT_EQ(fast.numChannels, reference.numChannels) << context;
  }

  std::string describe(const HostBlock& block, MixLevels levels, int32_t frames) const {
    std::ostringstream text;
    text << "loop of " << reference.loopLength << " floats, " << frames << " frames, "
         << (block.stereo ? "stereo" : "mono") << ", buffers "
         << static_cast<int>(block.layout) << ", playPos " << reference.playPos << ", gain "
         << reference.inputGain << ", recording " << reference.recording << ", reverse "
         << reference.reverse << ", feedback " << levels.feedback << ", loopMix "
         << levels.loopMix << ", dryMix " << levels.dryMix;
    return text.str();
  }

  LoopEngine fast;
  LoopEngine reference;
};

TEST(AudioPathEquivalence, FastPathGivesTheOraclesBitsForRandomBlockSequences) {
  RandomSession session(20240605u);
  int64_t channelSamples = 0;
  while (channelSamples < kChannelSampleBudget) {
    const int32_t length = session.loopLength();
    bool stereo = session.chance(0.5);
    Twins twins(session.samples(static_cast<size_t>(length)), stereo ? 2 : 1,
                session.pick(length));
    twins.setGain(session.gain());
    twins.setRecording(session.chance(0.5));
    twins.setReverse(session.chance(0.3));

    for (int block = 0; block < kBlocksPerLoop; ++block) {
      const int32_t frames = session.blockFrames(length);
      const size_t size = frames > 0 ? static_cast<size_t>(frames) : 1;
      if (session.chance(0.1)) stereo = !stereo;
      const MixLevels levels{session.feedback(), session.mix(), session.mix()};
      const HostBlock host{session.samples(size),
                           session.samples(size),
                           std::vector<float>(size, -7.0f),
                           std::vector<float>(size, -7.0f),
                           stereo,
                           static_cast<Buffers>(session.pick(3))};
      SCOPED_TRACE("block " + std::to_string(block));
      ASSERT_NO_FATAL_FAILURE(twins.play(host, levels, frames));
      channelSamples += frames > 0 ? static_cast<int64_t>(frames) * (stereo ? 2 : 1) : 0;

      // Between blocks the player works the pedal and the reverse note, a
      // test may leave a ramp half done, and the mark may move the position.
      const LoopEngine& state = twins.reference;
      if (session.chance(0.3)) twins.setRecording(!state.recording);
      if (session.chance(0.15)) twins.setReverse(!state.reverse);
      if (session.chance(0.1)) twins.setGain(session.gain());
      if (session.chance(0.05)) twins.setPlayPos(session.pick(length));
    }
  }
}

// Blocks that end one frame before, on and one frame after the last frame
// of a ramp from silence (201 frames) or of the fade after it (202 frames).
TEST(AudioPathEquivalence, BlocksEndingAroundTheEndOfARampOrFade) {
  RandomSession session(11u);
  for (const bool stereo : {false, true}) {
    for (const bool recording : {true, false}) {
      for (const int32_t past : {-1, 0, 1}) {
        Twins twins(session.samples(997), stereo ? 2 : 1, 0);
        twins.setRecording(recording);
        twins.setGain(recording ? 0.0f : 0x1.0147a2p+0f);
        const int32_t journey = recording ? 201 : 202;
        for (const int32_t frames : {100, journey - 100 + past, 50}) {
          const HostBlock host{session.samples(frames), session.samples(frames),
                               std::vector<float>(frames), std::vector<float>(frames), stereo,
                               Buffers::kSeparate};
          SCOPED_TRACE("journey of " + std::to_string(journey) + " frames, block ending " +
                       std::to_string(past) + " frames past its end");
          ASSERT_NO_FATAL_FAILURE(twins.play(host, {0.95f, 1.0f, 0.5f}, frames));
        }
      }
    }
  }
}

// The gains of a ramp from silence and of the fade after it are worked out
// ahead for round-to-nearest; under any rounding mode that a host may set,
// the engine must still step them as the oracle does.
class RoundingModes : public testing::TestWithParam<int> {
protected:
  void SetUp() override {
    if (std::fesetround(GetParam()) != 0) GTEST_SKIP() << "rounding mode not available";
  }
  void TearDown() override { std::fesetround(hostRounding); }
  const int hostRounding = std::fegetround();
};

TEST_P(RoundingModes, RampAndFadeGiveTheOraclesBits) {
  RandomSession session(7u);
  for (const bool stereo : {false, true}) {
    Twins twins(session.samples(997), stereo ? 2 : 1, 0);
    const MixLevels levels{0.95f, 1.0f, 0.5f};
    // The pedal goes down for 130 + 130 frames and comes up for 260: blocks
    // that start on and run past the precomputed gains.
    for (const bool recording : {true, true, false, false}) {
      twins.setRecording(recording);
      const HostBlock host{session.samples(130), session.samples(130),
                           std::vector<float>(130), std::vector<float>(130), stereo,
                           Buffers::kSeparate};
      ASSERT_NO_FATAL_FAILURE(twins.play(host, levels, 130));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, RoundingModes,
                         testing::Values(FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO),
                         [](const testing::TestParamInfo<int>& info) {
                           switch (info.param) {
                             case FE_TONEAREST: return "ToNearest";
                             case FE_UPWARD: return "Upward";
                             case FE_DOWNWARD: return "Downward";
                             default: return "TowardZero";
                           }
                         });

}  // namespace
}  // namespace quarvine::test

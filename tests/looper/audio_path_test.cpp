// The audio path: output mix, overdub, gain ramp and fade, position steps.
#include <gtest/gtest.h>

#include <vector>

#include "loop_engine.h"
#include "loop_fixture.h"

namespace quarvine::test {
namespace {

constexpr float kGainAfter200 = 0x1.ffffe6p-1f;
// Where the ramp settles: the 201st step passes 1.0.
constexpr float kHeldGain = 0x1.0147a2p+0f;
// The last gain of a fade from kHeldGain, used for its 202nd and final write.
constexpr float kFadeEndGain = -0x1.47ac74p-8f;

// One block's buffers; `secondInput` empty means one channel.
struct Block {
  std::vector<float> firstInput;
  std::vector<float> secondInput;
  std::vector<float> firstOutput;
  std::vector<float> secondOutput;

  explicit Block(std::vector<float> first, std::vector<float> second = {})
      : firstInput(std::move(first)),
        secondInput(std::move(second)),
        firstOutput(firstInput.size(), -99.0f),
        secondOutput(firstInput.size(), -99.0f) {}

  void run(LoopEngine& engine, MixLevels levels) {
    engine.processReplacing(firstInput.data(), secondInput.empty() ? nullptr : secondInput.data(),
                            firstOutput.data(), secondOutput.data(),
                            static_cast<int32_t>(firstInput.size()), levels);
  }
};

std::vector<float> constant(size_t frames, float value) {
  return std::vector<float>(frames, value);
}

// With input 1 and feedback 0 every overdubbed float holds the gain it was
// written with, so the loop records the ramp frame by frame.
class GainRamp : public testing::TestWithParam<int32_t> {};

TEST_P(GainRamp, StepsOncePerFrameAndHoldsJustAboveOne) {
  const int32_t channels = GetParam();
  const size_t frames = 1000;
  LoopEngine engine;
  installLoop(engine, constant(frames * channels, 0.0f), channels);
  engine.recording = true;
  Block block(constant(frames, 1.0f), channels == 2 ? constant(frames, 1.0f) : std::vector<float>{});
  block.run(engine, {0.0f, 1.0f, 0.0f});

  float gain = 0.0f;
  for (size_t frame = 0; frame < frames; ++frame) {
    if (gain < 1.0f) {
      gain += kGainStep;
    }
    for (int32_t channel = 0; channel < channels; ++channel) {
      ASSERT_EQ(bitsOf(engine.loopBuffer[frame * channels + channel]), bitsOf(gain))
          << "frame " << frame << " channel " << channel;
    }
  }
  EXPECT_EQ(bitsOf(engine.loopBuffer[0]), bitsOf(kGainStep));
  EXPECT_EQ(bitsOf(engine.loopBuffer[199 * channels]), bitsOf(kGainAfter200));
  EXPECT_EQ(bitsOf(engine.loopBuffer[200 * channels]), bitsOf(kHeldGain));
  EXPECT_EQ(bitsOf(engine.inputGain), bitsOf(kHeldGain));
}

INSTANTIATE_TEST_SUITE_P(Channels, GainRamp, testing::Values(1, 2));

TEST(FadeOut, OverdubsChannelZeroOnlyFor202Frames) {
  const size_t frames = 300;
  LoopEngine engine;
  installLoop(engine, constant(frames * 2, 2.0f), 2);
  engine.inputGain = kHeldGain;
  Block block(constant(frames, 1.0f), constant(frames, 1.0f));
  block.run(engine, {0.5f, 1.0f, 0.0f});

  float gain = kHeldGain;
  for (size_t frame = 0; frame < frames; ++frame) {
    float expected = 2.0f;
    if (gain > 0.0f) {
      gain -= kGainStep;
      expected = gain * 1.0f + 0.5f * 2.0f;
    }
    ASSERT_EQ(bitsOf(engine.loopBuffer[2 * frame]), bitsOf(expected)) << "frame " << frame;
    ASSERT_EQ(engine.loopBuffer[2 * frame + 1], 2.0f) << "frame " << frame;
  }
  EXPECT_EQ(bitsOf(engine.loopBuffer[2 * 201]), bitsOf(kFadeEndGain + 1.0f));
  EXPECT_EQ(engine.loopBuffer[2 * 202], 2.0f);
  EXPECT_EQ(bitsOf(engine.inputGain), bitsOf(kFadeEndGain));
}

TEST(FadeOut, FinishedFadeLeavesTheLoopUntouchedWhateverTheFeedback) {
  LoopEngine engine;
  installLoop(engine, {0.25f, -3.0f, 7.5f, 1e-3f, 0.5f}, 2);
  engine.inputGain = kFadeEndGain;
  const std::vector<float> before = loopContents(engine);
  for (int lap = 0; lap < 4; ++lap) {
    Block block({0.3f, -0.7f, 0.9f}, {0.1f, 0.2f, 0.4f});
    block.run(engine, {0.8f, 1.0f, 0.0f});
  }
  EXPECT_EQ(bitsOf(loopContents(engine)), bitsOf(before));
  EXPECT_EQ(bitsOf(engine.inputGain), bitsOf(kFadeEndGain));
}

TEST(Overdub, FullGainRecordingIsHeardExactlyOneLapLater) {
  const std::vector<float> input{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  LoopEngine engine;
  installLoop(engine, constant(5, 0.0f));
  engine.recording = true;
  engine.inputGain = 1.0f;
  Block block(input);
  block.run(engine, {0.0f, 1.0f, 0.0f});

  for (size_t i = 0; i < input.size(); ++i) {
    EXPECT_EQ(block.firstOutput[i], i < 5 ? 0.0f : input[i - 5]) << "frame " << i;
  }
}

TEST(Overdub, OutputAndLoopAreNeverClamped) {
  LoopEngine engine;
  installLoop(engine, {0.0f, 0.0f});
  engine.recording = true;
  engine.inputGain = 1.0f;
  Block block(constant(8, 1.0f));
  block.run(engine, {1.0f, 1.0f, 1.0f});

  EXPECT_EQ(block.firstOutput, (std::vector<float>{1, 1, 2, 2, 3, 3, 4, 4}));
  EXPECT_EQ(loopContents(engine), (std::vector<float>{4, 4}));
}

TEST(Output, MixesTheOldLoopSampleWithTheDryInput) {
  LoopEngine engine;
  installLoop(engine, {8.0f, 4.0f, -2.0f});
  engine.recording = true;
  engine.inputGain = 1.0f;
  Block block({4.0f, 8.0f, 16.0f});
  block.run(engine, {0.5f, 0.5f, 0.25f});

  EXPECT_EQ(block.firstOutput, (std::vector<float>{5.0f, 4.0f, 3.0f}));
  // New loop: input times gain plus half of what it held.
  EXPECT_EQ(loopContents(engine), (std::vector<float>{8.0f, 10.0f, 15.0f}));
}

// Playing a known loop without recording shows the order in which the
// positions are visited; the outputs are (channel 0, channel 1) per frame.
struct StepCase {
  const char* name;
  int32_t channels;
  std::vector<float> loop;
  bool reverse;
  int32_t startPos;
  std::vector<float> firstOutput;
  std::vector<float> secondOutput;
  int32_t endPos;
  friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};

class PositionSteps : public testing::TestWithParam<StepCase> {};

TEST_P(PositionSteps, VisitTheLoopAndWrapAtBothEnds) {
  const StepCase& c = GetParam();
  LoopEngine engine;
  installLoop(engine, c.loop, c.channels, c.startPos);
  engine.reverse = c.reverse;
  const size_t frames = c.firstOutput.size();
  Block block(constant(frames, 0.0f), c.channels == 2 ? constant(frames, 0.0f) : std::vector<float>{});
  block.run(engine, {0.0f, 1.0f, 0.0f});

  EXPECT_EQ(block.firstOutput, c.firstOutput);
  EXPECT_EQ(block.secondOutput, c.secondOutput);
  EXPECT_EQ(engine.playPos, c.endPos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionSteps,
    testing::Values(
        // Mono: one position per frame, and the second output copies the first.
        StepCase{"MonoForwardWrapsAfterLast", 1, {10, 11, 12, 13}, false, 2, {12, 13, 10, 11, 12},
                 {12, 13, 10, 11, 12}, 3},
        StepCase{"MonoReverseWrapsBeforeZero", 1, {10, 11, 12, 13}, true, 1, {11, 10, 13, 12, 11},
                 {11, 10, 13, 12, 11}, 0},
        // Stereo on an odd loop: two positions per frame, and each lap moves
        // the stored floats to the other channel.
        StepCase{"StereoForwardOddLength", 2, {10, 11, 12}, false, 0, {10, 12, 11}, {11, 10, 12}, 0},
        StepCase{"StereoReverseOddLength", 2, {10, 11, 12}, true, 0, {10, 11, 12}, {12, 10, 11}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Output, MonoBlockCopiesFirstOutputIntoSecond) {
  LoopEngine engine;
  installLoop(engine, {0.5f, -0.25f, 0.125f});
  engine.recording = true;
  Block block({0.3f, 0.6f, -0.9f, 0.1f});
  block.run(engine, {0.9f, 0.7f, 0.4f});

  EXPECT_EQ(engine.numChannels, 1);
  EXPECT_EQ(bitsOf(block.secondOutput), bitsOf(block.firstOutput));
  EXPECT_NE(block.firstOutput[0], -99.0f);
  EXPECT_EQ(engine.playPos, 1);
}

// The host may pass the same memory as input and output.
class InPlace : public testing::TestWithParam<int32_t> {};

TEST_P(InPlace, SharedBuffersGiveTheSameResultAsSeparateOnes) {
  const int32_t channels = GetParam();
  const std::vector<float> loop{0.5f, -0.25f, 0.75f, 0.125f, -1.0f};
  const std::vector<float> first{0.3f, 0.6f, -0.9f, 0.1f, 0.2f, -0.4f, 0.8f};
  const std::vector<float> second{-0.5f, 0.7f, 0.2f, -0.3f, 0.9f, 0.05f, -0.6f};
  const MixLevels levels{0.9f, 0.8f, 0.6f};

  LoopEngine separate;
  installLoop(separate, loop, channels);
  separate.recording = true;
  Block block(first, channels == 2 ? second : std::vector<float>{});
  block.run(separate, levels);

  LoopEngine shared;
  installLoop(shared, loop, channels);
  shared.recording = true;
  std::vector<float> firstBuffer = first;
  std::vector<float> secondBuffer = second;
  shared.processReplacing(firstBuffer.data(), channels == 2 ? secondBuffer.data() : nullptr,
                          firstBuffer.data(), secondBuffer.data(),
                          static_cast<int32_t>(first.size()), levels);

  EXPECT_EQ(bitsOf(firstBuffer), bitsOf(block.firstOutput));
  EXPECT_EQ(bitsOf(secondBuffer), bitsOf(block.secondOutput));
  EXPECT_EQ(stateOf(shared).loopBits, stateOf(separate).loopBits);
  EXPECT_EQ(shared.playPos, separate.playPos);
}

INSTANTIATE_TEST_SUITE_P(Channels, InPlace, testing::Values(1, 2));

// An empty or negative block only decides the channel count.
struct EmptyBlockCase {
  int32_t frames;
  bool secondInput;
  friend void PrintTo(const EmptyBlockCase& c, std::ostream* os) {
    *os << c.frames << " frames, second input " << c.secondInput;
  }
};

class EmptyBlock : public testing::TestWithParam<EmptyBlockCase> {};

TEST_P(EmptyBlock, SetsTheChannelCountAndNothingElse) {
  const EmptyBlockCase& c = GetParam();
  LoopEngine engine;
  installLoop(engine, {1, 2, 3}, c.secondInput ? 1 : 2, 1);
  engine.recording = true;
  EngineState expected = stateOf(engine);
  expected.numChannels = c.secondInput ? 2 : 1;
  float input[1] = {1.0f};
  float outputs[2] = {-99.0f, -99.0f};
  engine.processReplacing(input, c.secondInput ? input : nullptr, &outputs[0], &outputs[1],
                          c.frames, {1.0f, 1.0f, 1.0f});

  EXPECT_EQ(stateOf(engine), expected);
  EXPECT_EQ(outputs[0], -99.0f);
  EXPECT_EQ(outputs[1], -99.0f);
}

INSTANTIATE_TEST_SUITE_P(Cases, EmptyBlock,
                         testing::Values(EmptyBlockCase{0, true}, EmptyBlockCase{0, false},
                                         EmptyBlockCase{-1, true}, EmptyBlockCase{-1, false}));

}  // namespace
}  // namespace quarvine::test

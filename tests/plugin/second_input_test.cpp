// The instrument declares one input and reads a second one only once the host
// has connected it; until then every block is one channel, and a host may
// pass an input array of a single entry.
#include <gtest/gtest.h>

#include <vector>

#include "instrument_fixture.h"

namespace {

class SecondInput : public InstrumentTest {
protected:
  void SetUp() override {
    InstrumentTest::SetUp();
    setParameter(kDryMix, 1.0f);
    setParameter(kLoopMix, 0.0f);
  }

  // One block from a host that passes a single input pointer.
  void playOneInput() {
    float* inputs[1] = {left};
    float* outputs[2] = {outLeft, outRight};
    record->processReplacing(record, inputs, outputs, kFrames);
  }

  void playTwoInputs(float* second) {
    float* inputs[2] = {left, second};
    float* outputs[2] = {outLeft, outRight};
    record->processReplacing(record, inputs, outputs, kFrames);
  }

  std::vector<float> heardLeft() const { return {outLeft, outLeft + kFrames}; }
  std::vector<float> heardRight() const { return {outRight, outRight + kFrames}; }

  static constexpr int kFrames = 4;
  float left[kFrames] = {0.25f, 0.5f, 0.75f, 1.0f};
  float right[kFrames] = {-1.0f, -2.0f, -3.0f, -4.0f};
  float outLeft[kFrames] = {};
  float outRight[kFrames] = {};
  const std::vector<float> kLeft{left, left + kFrames};
  const std::vector<float> kRight{right, right + kFrames};
};

TEST_F(SecondInput, UntilConnectedBlocksAreOneChannelCopiedToBothOutputs) {
  playOneInput();
  EXPECT_EQ(looper->loopEngine().numChannels, 1);
  EXPECT_EQ(looper->loopEngine().playPos, kFrames);
  EXPECT_EQ(heardLeft(), kLeft);
  EXPECT_EQ(heardRight(), kLeft);

  playTwoInputs(right);
  EXPECT_EQ(looper->loopEngine().numChannels, 1);
  EXPECT_EQ(heardRight(), kLeft);
}

TEST_F(SecondInput, ConnectingInputTwoMakesBlocksStereoAndDisconnectingEndsIt) {
  EXPECT_EQ(dispatch(effConnectInput, 1, 1), 1);
  playTwoInputs(right);
  EXPECT_EQ(looper->loopEngine().numChannels, 2);
  EXPECT_EQ(looper->loopEngine().playPos, 2 * kFrames);
  EXPECT_EQ(heardLeft(), kLeft);
  EXPECT_EQ(heardRight(), kRight);

  EXPECT_EQ(dispatch(effConnectInput, 1, 0), 1);
  playOneInput();
  EXPECT_EQ(looper->loopEngine().numChannels, 1);
  EXPECT_EQ(heardRight(), kLeft);
}

TEST_F(SecondInput, AConnectedSecondInputThatTheHostLeavesEmptyIsOneChannel) {
  dispatch(effConnectInput, 1, 1);
  playTwoInputs(nullptr);
  EXPECT_EQ(looper->loopEngine().numChannels, 1);
  EXPECT_EQ(heardRight(), kLeft);
}

TEST_F(SecondInput, ConnectingAnyOtherInputChangesNothing) {
  for (VstInt32 index : {0, 2, -1}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(dispatch(effConnectInput, index, 1), 1);
    playOneInput();
    EXPECT_EQ(looper->loopEngine().numChannels, 1);
  }
}

TEST_F(SecondInput, TheAccumulatingEntryTouchesNeitherOutputsNorLoop) {
  dispatch(effConnectInput, 1, 1);
  float* inputs[2] = {left, right};
  float* outputs[2] = {outLeft, outRight};
  record->process(record, inputs, outputs, kFrames);
  EXPECT_EQ(heardLeft(), std::vector<float>(kFrames, 0.0f));
  EXPECT_EQ(heardRight(), std::vector<float>(kFrames, 0.0f));
  EXPECT_EQ(looper->loopEngine().playPos, 0);
  EXPECT_EQ(looper->loopEngine().numChannels, 1);
}

}  // namespace

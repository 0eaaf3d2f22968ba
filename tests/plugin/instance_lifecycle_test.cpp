// An instance from creation to close: what construction sets up, what it asks
// of the host, and that a refused or closed instance leaves nothing behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "counted_allocation.h"
#include "instrument_fixture.h"

namespace {

void expectInitialState(FeedbackLooper& looper) {
  EXPECT_EQ(looper.getProgram(), 0);
  EXPECT_EQ(looper.getParameter(kFeedback), 0.95f);
  EXPECT_EQ(looper.getParameter(kLoopMix), 1.0f);
  EXPECT_EQ(looper.getParameter(kDryMix), 0.0f);

  const quarvine::LoopEngine& engine = looper.loopEngine();
  ASSERT_NE(engine.loopBuffer, nullptr);
  EXPECT_EQ(engine.loopLength, 176400);
  EXPECT_TRUE(std::all_of(engine.loopBuffer, engine.loopBuffer + engine.loopLength,
                          [](float sample) { return sample == 0.0f; }));
  EXPECT_EQ(engine.playPos, 0);
  EXPECT_EQ(engine.markPos, 0);
  EXPECT_EQ(engine.inputGain, 0.0f);
  EXPECT_EQ(engine.numChannels, 1);
  EXPECT_FALSE(engine.recording);
  EXPECT_FALSE(engine.reverse);
  EXPECT_FALSE(engine.octaveDown);
}

using InstanceLifecycle = InstrumentTest;

TEST_F(InstanceLifecycle, NewInstanceTellsItsIdentityAndHoldsProgramZeroAndASilentLoop) {
  EXPECT_EQ(record->magic, kEffectMagic);
  EXPECT_EQ(record->numPrograms, 32);
  EXPECT_EQ(record->numParams, 3);
  EXPECT_EQ(record->numInputs, 1);
  EXPECT_EQ(record->numOutputs, 2);
  EXPECT_EQ(record->flags, effFlagsCanReplacing);
  EXPECT_EQ(record->uniqueID, fourCharCode('Q', 'v', 'F', 'b'));
  EXPECT_EQ(record->version, 1);
  EXPECT_EQ(record->object, static_cast<AudioEffect*>(looper));
  expectInitialState(*looper);
  EXPECT_TRUE(FakeHost::requests.empty()) << "construction asks the host nothing";
}

TEST(InstanceWithoutHost, KeepsTheDefaultIdentityAndFlagsAndOtherwiseTheSameState) {
  FeedbackLooper looper(nullptr);
  const AEffect* record = looper.getAeffect();
  EXPECT_EQ(record->flags, 0);
  EXPECT_EQ(record->uniqueID, fourCharCode('N', 'o', 'E', 'f'));
  EXPECT_EQ(record->numInputs, 1);
  EXPECT_EQ(record->numOutputs, 2);
  expectInitialState(looper);
}

TEST_F(InstanceLifecycle, EveryResumeAsksTheHostForMidiAndSuspendAsksNothing) {
  dispatch(effMainsChanged, 0, 1);
  dispatch(effMainsChanged, 0, 0);
  dispatch(effMainsChanged, 0, 1);

  ASSERT_EQ(FakeHost::requests.size(), 2u);
  for (const HostRequest& request : FakeHost::requests) {
    EXPECT_EQ(request.effect, record);
    EXPECT_EQ(request.opcode, audioMasterWantMidi);
    EXPECT_EQ(request.index, 0);
    EXPECT_EQ(request.value, 1);
    EXPECT_EQ(request.ptr, nullptr);
    EXPECT_EQ(request.opt, 0.0f);
  }
}

TEST_F(InstanceLifecycle, RateAndBlockSizeChangesLeaveTheLoopAsItIs) {
  dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  dispatch(effSetBlockSize, 0, 64);
  EXPECT_EQ(dispatch(effSetBlockSizeAndSampleRate, 0, 32, nullptr, 22050.0f), 1);
  EXPECT_EQ(looper->getSampleRate(), 22050.0f);
  EXPECT_EQ(looper->getBlockSize(), 32);
  expectInitialState(*looper);
}

TEST(InstanceRelease, CloseAnswersOneAndReleasesEverythingTheInstanceHeld) {
  const long before = counted_allocation::liveBlocks();
  AudioEffect* instance = createEffectInstance(FakeHost::callback);
  ASSERT_NE(instance, nullptr);
  EXPECT_GT(counted_allocation::liveBlocks(), before);

  AEffect* record = instance->getAeffect();
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(counted_allocation::liveBlocks(), before);
}

// No half-built instance reaches a host: whichever block is missing, the
// instance is refused and what was already made is released.
TEST(InstanceRelease, AnInstanceMissingAnyOfItsBlocksIsRefusedLeavingNothing) {
  struct Case {
    const char* missing;
    int objectAllocation;
    int arrayAllocation;
  };
  const Case cases[] = {
      {"the instance itself", 1, 0},
      {"the program bank", 0, 1},
      {"the first loop buffer", 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    FakeHost::reset(1);
    const long before = counted_allocation::liveBlocks();
    counted_allocation::failObjectAllocation(c.objectAllocation);
    counted_allocation::failArrayAllocation(c.arrayAllocation);

    AudioEffect* instance = createEffectInstance(FakeHost::callback);

    EXPECT_TRUE(counted_allocation::armedFailuresHappened());
    EXPECT_EQ(instance, nullptr);
    EXPECT_EQ(counted_allocation::liveBlocks(), before);
    EXPECT_TRUE(FakeHost::requests.empty());
    counted_allocation::failObjectAllocation(0);
    counted_allocation::failArrayAllocation(0);
  }
}

}  // namespace

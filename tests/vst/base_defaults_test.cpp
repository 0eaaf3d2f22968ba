// What both base classes answer when a plug-in supplies none of its own
// operations: the defaults that a derived class keeps.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "test_effect.h"

namespace {

VstIntPtr dispatch(TestEffect& effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f) {
  AEffect* record = effect.getAeffect();
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

TEST(BaseDefaults, TextOperationsLeaveAnEmptyTextWritingOnlyTheFirstByte) {
  const std::function<void(TestEffect&, char*)> operations[] = {
      [](TestEffect& e, char* t) { e.setProgramName(t); },
      [](TestEffect& e, char* t) { e.getProgramName(t); },
      [](TestEffect& e, char* t) { e.getParameterLabel(0, t); },
      [](TestEffect& e, char* t) { e.getParameterDisplay(0, t); },
      [](TestEffect& e, char* t) { e.getParameterName(0, t); },
  };
  for (const auto& operation : operations) {
    TestEffect effect;
    char text[8] = "abcdefg";
    operation(effect, text);
    EXPECT_EQ(std::string(text, sizeof text), std::string("\0bcdefg\0", 8));
  }
}

TEST(BaseDefaults, ValuesAndChunksAreEmpty) {
  TestEffect effect;
  void* data = &effect;
  EXPECT_EQ(effect.getParameter(0), 0.0f);
  EXPECT_EQ(effect.getVu(), 0.0f);
  EXPECT_EQ(effect.getChunk(&data, true), 0);
  EXPECT_EQ(data, &effect);
  EXPECT_EQ(effect.setChunk(&effect, 16, false), 0);
  EXPECT_EQ(effect.getChannelParameter(0, 0), 0.0f);
  EXPECT_EQ(effect.offlineGetNumPasses(), 0);
  EXPECT_EQ(effect.offlineGetNumMetaPasses(), 0);
}

TEST(BaseDefaults, SetProgramAcceptsAnyNumberTheRangeCheckIsTheDispatchers) {
  TestEffect effect;
  effect.setProgram(-5);
  EXPECT_EQ(effect.getProgram(), -5);
  effect.setProgram(1000);
  EXPECT_EQ(dispatch(effect, effGetProgram), 1000);
}

TEST(BaseDefaults, RateAndSizeRequestsStoreWhatTheHostSays) {
  TestEffect effect;
  dispatch(effect, effSetSampleRate, 0, 0, nullptr, 96000.0f);
  dispatch(effect, effSetBlockSize, 0, 256);
  EXPECT_EQ(effect.getSampleRate(), 96000.0f);
  EXPECT_EQ(effect.getBlockSize(), 256);
}

// Counts the instrument-level notifications that the combined request must
// not run.
class RateWatcher : public TestEffect {
public:
  int notifications = 0;
  void setSampleRate(float rate) override {
    ++notifications;
    TestEffect::setSampleRate(rate);
  }
  void setBlockSize(VstInt32 size) override {
    ++notifications;
    TestEffect::setBlockSize(size);
  }
};

TEST(BaseDefaults, BlockSizeAndSampleRateTogetherStoreBothDirectly) {
  RateWatcher effect;
  EXPECT_EQ(dispatch(effect, effSetBlockSizeAndSampleRate, 9, 512, nullptr, 48000.0f), 1);
  EXPECT_EQ(effect.getBlockSize(), 512);
  EXPECT_EQ(effect.getSampleRate(), 48000.0f);
  EXPECT_EQ(effect.notifications, 0);
}

TEST(BaseDefaults, ChunkRequestLeavesTheHostsPointerAlone) {
  TestEffect effect;
  void* data = &effect;
  EXPECT_EQ(dispatch(effect, effGetChunk, 1, 0, &data), 0);
  EXPECT_EQ(data, &effect);
}

TEST(BaseDefaults, EveryRequestAnswersItsDefault) {
  struct Case {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr answer;
  };
  const Case cases[] = {
      {effOpen, 0, 0},
      {effGetProgram, 0, 0},
      {effSetProgramName, 0, 0},
      {effGetProgramName, 0, 0},
      {effGetParamLabel, 0, 0},
      {effGetParamDisplay, 0, 0},
      {effGetParamName, 0, 0},
      {effGetVu, 0, 0},
      {effMainsChanged, 0, 0},
      {effIdentify, 0, 0x4E764566},
      {effSetChunk, 0, 0},
      {effProcessEvents, 0, 0},
      {effCanBeAutomated, 0, 1},
      {effCanBeAutomated, -1, 1},
      {effCanBeAutomated, 99, 1},
      {effString2Parameter, 0, 0},
      {effGetNumProgramCategories, 0, 1},
      {effGetProgramNameIndexed, 0, 0},
      {effCopyProgram, 0, 0},
      {effConnectInput, 0, 1},
      {effConnectOutput, 0, 1},
      {effGetInputProperties, 0, 0},
      {effGetOutputProperties, 0, 0},
      {effGetPlugCategory, 0, kPlugCategUnknown},
      {effGetCurrentPosition, 0, 0},
      {effGetDestinationBuffer, 0, 0},
      {effOfflineNotify, 0, 0},
      {effOfflinePrepare, 0, 0},
      {effOfflineRun, 0, 0},
      {effProcessVarIo, 0, 0},
      {effSetSpeakerArrangement, 0, 0},
      {effSetBypass, 0, 0},
      {effGetEffectName, 0, 0},
      {effGetErrorText, 0, 0},
      {effGetVendorString, 0, 0},
      {effGetProductString, 0, 0},
      {effGetVendorVersion, 0, 0},
      {effVendorSpecific, 0, 0},
      {effCanDo, 0, 0},
      {effGetTailSize, 0, 0},
      {effIdle, 0, 0},
      {effGetIcon, 0, 0},
      {effSetViewPosition, 0, 0},
      {effGetParameterProperties, 0, 0},
      {effKeysRequired, 0, 1},
      {effGetVstVersion, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opcode);
    TestEffect effect;
    char text[64] = "receiveVstEvents";
    EXPECT_EQ(dispatch(effect, c.opcode, c.index, 1, text), c.answer);
  }
}

}  // namespace

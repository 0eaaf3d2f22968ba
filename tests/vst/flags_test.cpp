// The flag setters and the setters of the record's plain fields: each changes
// exactly its own bit or field.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "../support/fake_host.h"
#include "test_effect.h"

namespace {

struct FlagSetter {
  const char* name;
  std::function<void(TestEffect&, bool)> set;
  VstInt32 bit;
};

const FlagSetter kFlagSetters[] = {
    {"hasClip", [](TestEffect& e, bool on) { e.hasClip(on); }, effFlagsHasClip},
    {"hasVu", [](TestEffect& e, bool on) { e.hasVu(on); }, effFlagsHasVu},
    {"canMono", [](TestEffect& e, bool on) { e.canMono(on); }, effFlagsCanMono},
    {"canProcessReplacing", [](TestEffect& e, bool on) { e.canProcessReplacing(on); },
     effFlagsCanReplacing},
    {"programsAreChunks", [](TestEffect& e, bool on) { e.programsAreChunks(on); },
     effFlagsProgramChunks},
    {"isSynth", [](TestEffect& e, bool on) { e.isSynth(on); }, effFlagsIsSynth},
    {"noTail", [](TestEffect& e, bool on) { e.noTail(on); }, effFlagsNoSoundInStop},
    {"wantAsyncOperation", [](TestEffect& e, bool on) { e.wantAsyncOperation(on); },
     effFlagsExtIsAsync},
    {"hasExternalBuffer", [](TestEffect& e, bool on) { e.hasExternalBuffer(on); },
     effFlagsExtHasBuffer},
};

TEST(FlagSetters, EachSetsAndClearsOnlyItsOwnBit) {
  for (const FlagSetter& setter : kFlagSetters) {
    SCOPED_TRACE(setter.name);
    TestEffect effect;
    const VstInt32& flags = effect.getAeffect()->flags;

    setter.set(effect, true);
    EXPECT_EQ(flags, setter.bit);
    setter.set(effect, false);
    EXPECT_EQ(flags, 0);

    for (const FlagSetter& other : kFlagSetters) other.set(effect, true);
    const VstInt32 all = flags;
    setter.set(effect, false);
    EXPECT_EQ(flags, all & ~setter.bit);
    setter.set(effect, true);
    EXPECT_EQ(flags, all);
  }
}

TEST(FlagSetters, AllTogetherSetNoBitBeyondTheNineKnownOnes) {
  TestEffect effect;
  for (const FlagSetter& setter : kFlagSetters) setter.set(effect, true);
  EXPECT_EQ(effect.getAeffect()->flags, 2 | 4 | 8 | 16 | 32 | 256 | 512 | 1024 | 2048);
}

TEST(FlagSetters, TheInstrumentsSequenceLeavesOnlyReplacing) {
  TestEffect effect;
  effect.canProcessReplacing(true);
  effect.hasVu(false);
  effect.hasClip(false);
  EXPECT_EQ(effect.getAeffect()->flags, 16);
  effect.canProcessReplacing(false);
  EXPECT_EQ(effect.getAeffect()->flags, 0);
}

TEST(FlagSetters, SynthFlagDecidesThePlugCategoryAndAsksTheHostNothing) {
  FakeHost::reset(1);
  TestEffect effect(FakeHost::callback);
  EXPECT_EQ(effect.getPlugCategory(), kPlugCategUnknown);
  effect.isSynth(true);
  EXPECT_EQ(effect.getPlugCategory(), kPlugCategSynth);
  effect.isSynth(false);
  EXPECT_EQ(effect.getPlugCategory(), kPlugCategUnknown);
  EXPECT_TRUE(FakeHost::requests.empty());
}

struct FieldSetter {
  const char* name;
  std::function<void(TestEffect&, VstInt32)> set;
  VstInt32 AEffect::*field;
};

TEST(FieldSetters, EachStoresIntoItsFieldAndChangesNothingElse) {
  const FieldSetter setters[] = {
      {"setUniqueID", [](TestEffect& e, VstInt32 v) { e.setUniqueID(v); }, &AEffect::uniqueID},
      {"setNumInputs", [](TestEffect& e, VstInt32 v) { e.setNumInputs(v); }, &AEffect::numInputs},
      {"setNumOutputs", [](TestEffect& e, VstInt32 v) { e.setNumOutputs(v); },
       &AEffect::numOutputs},
      {"setRealtimeQualities", [](TestEffect& e, VstInt32 v) { e.setRealtimeQualities(v); },
       &AEffect::realQualities},
      {"setOfflineQualities", [](TestEffect& e, VstInt32 v) { e.setOfflineQualities(v); },
       &AEffect::offQualities},
      {"setInitialDelay", [](TestEffect& e, VstInt32 v) { e.setInitialDelay(v); },
       &AEffect::initialDelay},
  };
  for (const FieldSetter& setter : setters) {
    SCOPED_TRACE(setter.name);
    TestEffect effect;
    AEffect& record = *effect.getAeffect();
    AEffect before;
    std::memcpy(&before, &record, sizeof record);

    setter.set(effect, -123456);

    EXPECT_EQ(record.*setter.field, -123456);
    record.*setter.field = before.*setter.field;
    EXPECT_EQ(std::memcmp(&before, &record, sizeof record), 0);
  }
}

}  // namespace

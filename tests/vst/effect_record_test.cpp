// The record that the host holds: what the constructor writes into it, and
// how its five entries reach the instance's operations.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "../support/fake_host.h"
#include "test_effect.h"

namespace {

TEST(EffectRecord, ConstructorWritesEveryFieldWhateverTheMemoryHeld) {
  FakeHost::reset();
  alignas(TestEffect) unsigned char storage[sizeof(TestEffect)];
  std::memset(storage, 0xA5, sizeof storage);
  auto* effect = new (storage) TestEffect(FakeHost::callback, 5, 7);
  const AEffect& record = *effect->getAeffect();

  EXPECT_EQ(record.magic, 0x56737450);
  EXPECT_NE(record.dispatcher, nullptr);
  EXPECT_NE(record.process, nullptr);
  EXPECT_NE(record.setParameter, nullptr);
  EXPECT_NE(record.getParameter, nullptr);
  EXPECT_NE(record.processReplacing, nullptr);
  EXPECT_EQ(record.numPrograms, 5);
  EXPECT_EQ(record.numParams, 7);
  EXPECT_EQ(record.numInputs, 1);
  EXPECT_EQ(record.numOutputs, 2);
  EXPECT_EQ(record.flags, 0);
  EXPECT_EQ(record.resvd1, 0);
  EXPECT_EQ(record.resvd2, 0);
  EXPECT_EQ(record.initialDelay, 0);
  EXPECT_EQ(record.realQualities, 0);
  EXPECT_EQ(record.offQualities, 0);
  EXPECT_EQ(record.ioRatio, 1.0f);
  EXPECT_EQ(record.object, static_cast<AudioEffect*>(effect));
  EXPECT_EQ(record.user, nullptr);
  EXPECT_EQ(record.uniqueID, 0x4E6F4566);
  EXPECT_EQ(record.version, 1);
  EXPECT_EQ(std::vector<char>(record.future, record.future + sizeof record.future),
            std::vector<char>(60, 0));

  EXPECT_EQ(effect->getSampleRate(), 44100.0f);
  EXPECT_EQ(effect->getBlockSize(), 1024);
  EXPECT_EQ(effect->getProgram(), 0);
  EXPECT_TRUE(FakeHost::requests.empty()) << "the constructor calls nobody";
  effect->~TestEffect();
}

// Records, in one list that outlives the instance, every operation that the
// entries reach, with its arguments.
class EntrySpy : public TestEffect {
public:
  static inline std::vector<std::string> log;
  static inline float** const kInputs = reinterpret_cast<float**>(0x1000);
  static inline float** const kOutputs = reinterpret_cast<float**>(0x2000);

  ~EntrySpy() override { log.push_back("destroyed"); }

  void process(float** inputs, float** outputs, VstInt32 frames) override {
    log.push_back("process " + channels(inputs, outputs) + std::to_string(frames));
  }
  void processReplacing(float** inputs, float** outputs, VstInt32 frames) override {
    log.push_back("processReplacing " + channels(inputs, outputs) + std::to_string(frames));
  }
  void setParameter(VstInt32 index, float value) override {
    log.push_back("setParameter " + std::to_string(index) + " " + std::to_string(value));
  }
  float getParameter(VstInt32 index) override {
    log.push_back("getParameter " + std::to_string(index));
    return -2.5f;
  }
  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) override {
    log.push_back("dispatcher " + std::to_string(opcode) + " " + std::to_string(index) + " " +
                  std::to_string(value) + " " + (ptr == &log ? "ptr" : "?") + " " +
                  std::to_string(opt));
    return INTPTR_MIN + 5;
  }

private:
  static std::string channels(float** inputs, float** outputs) {
    return std::string(inputs == kInputs ? "in " : "? ") + (outputs == kOutputs ? "out " : "? ");
  }
};

TEST(EffectRecord, EntriesPassTheirArgumentsAndAnswersUnchanged) {
  EntrySpy::log.clear();
  auto* spy = new EntrySpy;
  AEffect* record = spy->getAeffect();
  const VstIntPtr bigValue = INTPTR_MAX - 3;

  record->process(record, EntrySpy::kInputs, EntrySpy::kOutputs, 64);
  record->processReplacing(record, EntrySpy::kInputs, EntrySpy::kOutputs, -1);
  record->setParameter(record, 2, 0.75f);
  EXPECT_EQ(record->getParameter(record, 9), -2.5f);
  EXPECT_EQ(record->dispatcher(record, effGetVendorString, -4, bigValue, &EntrySpy::log, 1.5f),
            INTPTR_MIN + 5);

  EXPECT_EQ(EntrySpy::log,
            (std::vector<std::string>{
                "process in out 64",
                "processReplacing in out -1",
                "setParameter 2 0.750000",
                "getParameter 9",
                "dispatcher 47 -4 " + std::to_string(bigValue) + " ptr 1.500000",
            }));
  delete spy;
}

TEST(EffectRecord, CloseReachesTheDispatcherThenDestroysTheInstanceAndAnswersOne) {
  EntrySpy::log.clear();
  AEffect* record = (new EntrySpy)->getAeffect();

  EXPECT_EQ(record->dispatcher(record, effClose, 3, 4, &EntrySpy::log, 0.5f), 1);

  EXPECT_EQ(EntrySpy::log, (std::vector<std::string>{"dispatcher 1 3 4 ptr 0.500000",
                                                      "destroyed"}));
}

TEST(EffectRecord, CloseAnswersOneWhereTheDispatcherAnswersZero) {
  AEffect* record = (new TestEffect)->getAeffect();
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
}

}  // namespace

// An instrument made as the entry point makes it and driven, as a host drives
// it, through its record.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "../support/fake_host.h"
#include "create_instance.h"
#include "feedback_looper.h"

class InstrumentTest : public ::testing::Test {
protected:
  void SetUp() override {
    FakeHost::reset(1);
    looper = static_cast<FeedbackLooper*>(createEffectInstance(FakeHost::callback));
    ASSERT_NE(looper, nullptr);
    record = looper->getAeffect();
  }

  void TearDown() override {
    if (record) dispatch(effClose);
  }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr, float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
  }

  float parameter(VstInt32 index) { return record->getParameter(record, index); }
  void setParameter(VstInt32 index, float value) { record->setParameter(record, index, value); }

  std::string programName(VstInt32 index) {
    char text[64] = {};
    dispatch(effGetProgramNameIndexed, index, 0, text);
    return text;
  }

  FeedbackLooper* looper = nullptr;
  AEffect* record = nullptr;
};

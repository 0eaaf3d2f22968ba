// Feedback, Loop Mix and Dry Mix: their texts, their values stored exactly as
// the host sends them, and their place in the current program.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "instrument_fixture.h"

namespace {

class Parameters : public InstrumentTest {
protected:
  std::string text(VstInt32 opcode, VstInt32 index) {
    char buffer[32];
    std::memset(buffer, 0, sizeof buffer);
    std::strcpy(buffer, "before");
    EXPECT_EQ(dispatch(opcode, index, 0, buffer), 0);
    return buffer;
  }
};

TEST_F(Parameters, EachHasItsNameLabelAndTheDefaultProgramsValue) {
  struct Case {
    VstInt32 index;
    const char* name;
    float value;
    const char* display;
  };
  const Case cases[] = {
      {kFeedback, "Feedback", 0.95f, "0.949999"},
      {kLoopMix, "Loop Mix", 1.0f, "1.000000"},
      {kDryMix, "Dry Mix", 0.0f, "0.000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(text(effGetParamName, c.index), c.name);
    EXPECT_EQ(text(effGetParamLabel, c.index), "%");
    EXPECT_EQ(parameter(c.index), c.value);
    EXPECT_EQ(text(effGetParamDisplay, c.index), c.display);
    EXPECT_EQ(dispatch(effCanBeAutomated, c.index), 1);
  }
}

TEST_F(Parameters, ValuesAreStoredExactlyWhateverTheirRange) {
  const float values[] = {1.5f, -2.0f, 1e6f, 1e-40f, std::numeric_limits<float>::infinity(),
                          std::numeric_limits<float>::quiet_NaN()};
  for (VstInt32 index : {kFeedback, kLoopMix, kDryMix}) {
    for (float value : values) {
      SCOPED_TRACE(std::to_string(index) + " " + std::to_string(value));
      setParameter(index, value);
      const float stored = parameter(index);
      EXPECT_EQ(std::memcmp(&stored, &value, sizeof value), 0);
    }
  }
  setParameter(kFeedback, 1.5f);
  EXPECT_EQ(text(effGetParamDisplay, kFeedback), "1.500000");
}

TEST_F(Parameters, EachSetsOnlyItsOwnValue) {
  setParameter(kLoopMix, 0.25f);
  EXPECT_EQ(parameter(kFeedback), 0.95f);
  EXPECT_EQ(parameter(kLoopMix), 0.25f);
  EXPECT_EQ(parameter(kDryMix), 0.0f);
}

TEST_F(Parameters, ASetValueIsKeptInTheCurrentProgramOnly) {
  dispatch(effSetProgram, 0, 4);
  setParameter(kLoopMix, 0.3f);
  setParameter(kDryMix, 0.5f);
  dispatch(effSetProgram, 0, 7);
  EXPECT_EQ(parameter(kLoopMix), 1.0f);
  EXPECT_EQ(parameter(kDryMix), 0.0f);
  dispatch(effSetProgram, 0, 4);
  EXPECT_EQ(parameter(kLoopMix), 0.3f);
  EXPECT_EQ(parameter(kDryMix), 0.5f);
}

TEST_F(Parameters, IndicesOutsideTheThreeChangeAndShowNothing) {
  for (VstInt32 index : {3, -1, INT_MAX, INT_MIN}) {
    SCOPED_TRACE(index);
    setParameter(index, 0.7f);
    EXPECT_EQ(parameter(index), 0.0f);
    EXPECT_EQ(text(effGetParamDisplay, index), "");
    EXPECT_EQ(text(effGetParamName, index), "before");
    EXPECT_EQ(text(effGetParamLabel, index), "before");
  }
  dispatch(effSetProgram, 0, 1);
  dispatch(effSetProgram, 0, 0);
  EXPECT_EQ(parameter(kFeedback), 0.95f);
  EXPECT_EQ(parameter(kLoopMix), 1.0f);
  EXPECT_EQ(parameter(kDryMix), 0.0f);
}

TEST_F(Parameters, TextRequestsWithoutABufferWriteNothing) {
  for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
    SCOPED_TRACE(opcode);
    EXPECT_EQ(dispatch(opcode, kFeedback, 0, nullptr), 0);
  }
}

}  // namespace

// What the instrument tells a host about itself: its texts, its version, its
// output pins and the capabilities it claims.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "capability_words.h"
#include "instrument_fixture.h"

namespace {

class Identity : public InstrumentTest {
protected:
  // A text request into a host buffer of 64 bytes, as hosts pass them.
  std::string text(VstInt32 opcode) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(dispatch(opcode, 0, 0, buffer), 1);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
  }

  VstIntPtr canDo(const char* word) {
    std::vector<char> text(word, word + std::strlen(word) + 1);
    return dispatch(effCanDo, 0, 0, text.data());
  }
};

TEST_F(Identity, TextsNameTheInstrumentAndItsMaker) {
  EXPECT_EQ(text(effGetEffectName), "QuarvineVSTi");
  EXPECT_EQ(text(effGetProductString), "QuarvineVSTi Feedback Loop Instrument");
  const std::string vendor = text(effGetVendorString);
  EXPECT_FALSE(vendor.empty());
  EXPECT_LT(vendor.size(), 64u);
}

TEST_F(Identity, FixedAnswers) {
  struct Case {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr answer;
  };
  const Case cases[] = {
      {effGetVendorVersion, 0, 1},
      {effGetNumProgramCategories, 0, 1},
      {effGetPlugCategory, 0, kPlugCategUnknown},
      {effGetVstVersion, 0, 2},
      {effKeysRequired, 0, 1},
      {effGetVu, 0, 0},
      {effCanBeAutomated, 0, 1},
      {effCanBeAutomated, 3, 1},
      {effCanBeAutomated, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opcode);
    EXPECT_EQ(dispatch(c.opcode, c.index), c.answer);
  }
  VstPinProperties pin{};
  EXPECT_EQ(dispatch(effGetInputProperties, 0, 0, &pin), 0);
}

// Only the label text with its zero and the flags are written; every other
// byte of the host's record stays as the host left it.
TEST_F(Identity, BothOutputsAreDescribedAsActiveStereoPinsNumberedFromOne) {
  struct Case {
    VstInt32 index;
    const char* label;
  };
  const Case cases[] = {{0, "Vstx 1"}, {1, "Vstx 2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    VstPinProperties pin;
    std::memset(&pin, 0xAB, sizeof pin);
    VstPinProperties expected = pin;
    std::memcpy(expected.label, c.label, std::strlen(c.label) + 1);
    expected.flags = kVstPinIsActive | kVstPinIsStereo;

    EXPECT_EQ(dispatch(effGetOutputProperties, c.index, 0, &pin), 1);

    EXPECT_STREQ(pin.label, c.label);
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(std::memcmp(&pin, &expected, sizeof pin), 0) << "bytes beyond label and flags";
  }
}

TEST_F(Identity, PinsOutsideTheTwoOutputsAnswerZeroAndWriteNothing) {
  for (VstInt32 index : {2, 100, INT_MAX, -1, INT_MIN}) {
    SCOPED_TRACE(index);
    VstPinProperties pin;
    std::memset(&pin, 0xAB, sizeof pin);
    const VstPinProperties before = pin;
    EXPECT_EQ(dispatch(effGetOutputProperties, index, 0, &pin), 0);
    EXPECT_EQ(std::memcmp(&pin, &before, sizeof pin), 0);
  }
}

TEST_F(Identity, ClaimsToReceiveMidiAndNothingElse) {
  const char* const claimed[] = {"receiveVstEvents", "receiveVstMidiEvent"};
  for (const char* word : claimed) {
    SCOPED_TRACE(word);
    EXPECT_EQ(canDo(word), 1);
  }
  const char* const refused[] = {
      "ReceiveVstEvents", "RECEIVEVSTMIDIEVENT", "receiveVst", "receiveVstEvent",
      "receiveVstEvents ", "receiveVstMidiEvents", "",
  };
  for (const char* word : refused) {
    SCOPED_TRACE(word);
    EXPECT_EQ(canDo(word), -1);
  }
  for (const char* word : kPlugCanDos) {
    SCOPED_TRACE(word);
    const bool isClaimed = std::strcmp(word, claimed[0]) == 0 || std::strcmp(word, claimed[1]) == 0;
    EXPECT_EQ(canDo(word), isClaimed ? 1 : -1);
  }
}

TEST_F(Identity, RequestsWithoutABufferAnswerZero) {
  for (VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString,
                          effGetOutputProperties, effCanDo}) {
    SCOPED_TRACE(opcode);
    EXPECT_EQ(dispatch(opcode, 0, 0, nullptr), 0);
  }
}

}  // namespace

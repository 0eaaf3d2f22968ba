// The bank of thirty-two programs: selecting, naming, listing and copying,
// and requests with numbers outside the bank.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "instrument_fixture.h"

namespace {

struct Program {
  std::string name;
  float feedback;
  float loopMix;
  float dryMix;

  bool operator==(const Program& other) const {
    return name == other.name && feedback == other.feedback && loopMix == other.loopMix &&
           dryMix == other.dryMix;
  }
};

void PrintTo(const Program& p, std::ostream* os) {
  *os << '"' << p.name << "\" " << p.feedback << ' ' << p.loopMix << ' ' << p.dryMix;
}

const Program kBasic{"Basic", 0.95f, 1.0f, 0.0f};

class ProgramBank : public InstrumentTest {
protected:
  void select(VstIntPtr program) { EXPECT_EQ(dispatch(effSetProgram, 0, program), 0); }
  VstIntPtr current() { return dispatch(effGetProgram); }

  void rename(const char* name) {
    std::vector<char> text(name, name + std::strlen(name) + 1);
    EXPECT_EQ(dispatch(effSetProgramName, 0, 0, text.data()), 0);
  }

  std::string currentName() {
    char text[64];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(dispatch(effGetProgramName, 0, 0, text), 0);
    return text;
  }

  // Every record of the bank, read by selecting each program in turn; the
  // current program is selected again afterwards.
  std::vector<Program> bank() {
    const VstIntPtr selected = current();
    std::vector<Program> programs;
    for (VstInt32 i = 0; i < 32; ++i) {
      select(i);
      programs.push_back({programName(i), parameter(kFeedback), parameter(kLoopMix),
                          parameter(kDryMix)});
    }
    select(selected);
    return programs;
  }
};

TEST_F(ProgramBank, NewBankHoldsThirtyTwoBasicProgramsWithTheFirstSelected) {
  EXPECT_EQ(current(), 0);
  EXPECT_EQ(currentName(), "Basic");
  EXPECT_EQ(bank(), std::vector<Program>(32, kBasic));
}

TEST_F(ProgramBank, OnlyNumbersInsideTheBankSelectAProgram) {
  select(31);
  EXPECT_EQ(current(), 31);
  setParameter(kFeedback, 0.5f);
  for (VstIntPtr ignored : {VstIntPtr{32}, VstIntPtr{1000}, VstIntPtr{-1}, VstIntPtr{INT_MIN}}) {
    SCOPED_TRACE(ignored);
    select(ignored);
    EXPECT_EQ(current(), 31);
    EXPECT_EQ(parameter(kFeedback), 0.5f);
  }
}

TEST_F(ProgramBank, SelectingAProgramChangesNoRecord) {
  setParameter(kDryMix, 0.25f);
  rename("first");
  const std::vector<Program> before = bank();
  select(3);
  select(17);
  EXPECT_EQ(bank(), before);
}

TEST_F(ProgramBank, IndexedNamesReadAnyProgramWithoutSelectingIt) {
  select(3);
  rename("Third");
  select(0);
  for (VstIntPtr category : {VstIntPtr{0}, VstIntPtr{5}, VstIntPtr{-1}}) {
    SCOPED_TRACE(category);
    char text[32] = "before";
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 3, category, text), 1);
    EXPECT_STREQ(text, "Third");
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 31, category, text), 1);
    EXPECT_STREQ(text, "Basic");
  }
  EXPECT_EQ(current(), 0);
}

TEST_F(ProgramBank, IndexedNamesOutsideTheBankAnswerZeroAndLeaveTheText) {
  for (VstInt32 index : {32, 1000, -1, INT_MIN}) {
    SCOPED_TRACE(index);
    char text[32] = "before";
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, index, 0, text), 0);
    EXPECT_STREQ(text, "before");
  }
}

TEST_F(ProgramBank, CopyPutsTheWholeCurrentProgramOverTheDestination) {
  select(2);
  rename("Second");
  setParameter(kFeedback, 0.5f);
  setParameter(kLoopMix, 0.75f);
  setParameter(kDryMix, 0.125f);

  EXPECT_EQ(dispatch(effCopyProgram, 5), 1);

  EXPECT_EQ(current(), 2);
  EXPECT_EQ(parameter(kFeedback), 0.5f);
  EXPECT_EQ(programName(5), "Second");
  std::vector<Program> expected(32, kBasic);
  expected[2] = expected[5] = Program{"Second", 0.5f, 0.75f, 0.125f};
  EXPECT_EQ(bank(), expected);
}

TEST_F(ProgramBank, CopyOntoItselfChangesNothing) {
  rename("Own");
  setParameter(kLoopMix, 0.5f);
  const std::vector<Program> before = bank();
  EXPECT_EQ(dispatch(effCopyProgram, 0), 1);
  EXPECT_EQ(bank(), before);
}

TEST_F(ProgramBank, CopyOutsideTheBankAnswersZeroAndChangesNothing) {
  rename("Source");
  setParameter(kDryMix, 0.5f);
  const std::vector<Program> before = bank();
  for (VstInt32 destination : {32, 1000, -1, INT_MIN}) {
    SCOPED_TRACE(destination);
    EXPECT_EQ(dispatch(effCopyProgram, destination), 0);
  }
  EXPECT_EQ(bank(), before);
}

TEST_F(ProgramBank, NamesAreKeptUpToTwentyThreeCharacters) {
  struct Case {
    std::string given;
    std::string kept;
  };
  const std::string longest(23, 'n');
  const Case cases[] = {
      {"", ""},
      {"Loop A", "Loop A"},
      {longest, longest},
      {longest + "X", longest},
      {std::string(200, 'z'), std::string(23, 'z')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    select(31);  // the last record: nothing of the bank lies behind it
    rename(c.given.c_str());
    EXPECT_EQ(currentName(), c.kept);
    EXPECT_EQ(programName(31), c.kept);
    std::vector<Program> expected(32, kBasic);
    expected[31].name = c.kept;
    EXPECT_EQ(bank(), expected);
  }
}

TEST_F(ProgramBank, NameRequestsWithoutATextDoNothing) {
  EXPECT_EQ(dispatch(effSetProgramName, 0, 0, nullptr), 0);
  EXPECT_EQ(dispatch(effGetProgramName, 0, 0, nullptr), 0);
  EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);
  EXPECT_EQ(bank(), std::vector<Program>(32, kBasic));
}

TEST_F(ProgramBank, ProgramsAreNeverExchangedAsChunks) {
  void* data = &data;
  EXPECT_EQ(dispatch(effGetChunk, 0, 0, &data), 0);
  EXPECT_EQ(dispatch(effGetChunk, 1, 0, &data), 0);
  EXPECT_EQ(data, &data);
  char chunk[16] = {};
  EXPECT_EQ(dispatch(effSetChunk, 0, sizeof chunk, chunk), 0);
  EXPECT_EQ(record->flags & effFlagsProgramChunks, 0);
  EXPECT_EQ(bank(), std::vector<Program>(32, kBasic));
}

}  // namespace

// The MIDI control map: which messages act, and the simple commands it runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "loop_engine.h"
#include "loop_fixture.h"

namespace quarvine::test {
namespace {

constexpr int32_t kNoteOff = 0x80;
constexpr int32_t kNoteOn = 0x90;
constexpr int32_t kControlChange = 0xB0;

// An engine away from every initial value, so that any change shows.
class ControlMap : public testing::Test {
protected:
  void SetUp() override {
    installLoop(engine, {1, 2, 3, 4}, 1, 3, 1);
    engine.inputGain = 0.5f;
  }
  LoopEngine engine;
};

struct IgnoredCase {
  const char* name;
  int32_t status;
  int8_t data1;
  int8_t data2;
  friend void PrintTo(const IgnoredCase& c, std::ostream* os) { *os << c.name; }
};

class IgnoredMessages : public ControlMap, public testing::WithParamInterface<IgnoredCase> {};

TEST_P(IgnoredMessages, ChangeNothing) {
  const IgnoredCase& c = GetParam();
  const EngineState before = stateOf(engine);
  engine.handleMidiMessage(c.status, c.data1, c.data2);
  EXPECT_EQ(stateOf(engine), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IgnoredMessages,
    testing::Values(IgnoredCase{"NoteOnOfAnotherNote", kNoteOn, 60, 100},
                    IgnoredCase{"ClearWithVelocityZero", kNoteOn, 36, 0},
                    IgnoredCase{"ReverseWithVelocityZero", kNoteOn, 48, 0},
                    IgnoredCase{"ReverseWithVelocityByte255", kNoteOn, 48, -1},
                    IgnoredCase{"FoldWithVelocityByte128", kNoteOn, 82, -128},
                    // Byte 176 is 48 + 128: it must not be read as note 48.
                    IgnoredCase{"NoteByte176", kNoteOn, -80, 100},
                    IgnoredCase{"NoteOffClear", kNoteOff, 36, 100},
                    IgnoredCase{"NoteOffReverse", kNoteOff | 0x3, 48, 100},
                    IgnoredCase{"OtherController", kControlChange, 1, 100},
                    IgnoredCase{"LoopSecondsByte255", kControlChange, 127, -1},
                    IgnoredCase{"LoopSecondsByte128", kControlChange, 127, -128},
                    IgnoredCase{"PolyPressure", 0xA0, 48, 100},
                    IgnoredCase{"ProgramChange", 0xC0, 48, 100},
                    IgnoredCase{"PitchBend", 0xE0, 64, 64},
                    IgnoredCase{"SystemMessage", 0xF0, 48, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlMap, EveryMidiChannelActsAlike) {
  for (int32_t channel = 0; channel < 16; ++channel) {
    engine.reverse = false;
    engine.recording = false;
    engine.handleMidiMessage(kNoteOn | channel, 48, 100);
    engine.handleMidiMessage(kControlChange | channel, 64, 127);
    EXPECT_TRUE(engine.reverse) << "channel " << channel;
    EXPECT_TRUE(engine.recording) << "channel " << channel;
  }
}

TEST_F(ControlMap, EveryNoteOnOfReverseFlipsTheDirection) {
  engine.handleMidiMessage(kNoteOn, 48, 1);
  EXPECT_TRUE(engine.reverse);
  engine.handleMidiMessage(kNoteOn, 48, 127);
  EXPECT_FALSE(engine.reverse);
}

struct SustainCase {
  int8_t value;
  bool before;
  bool after;
  friend void PrintTo(const SustainCase& c, std::ostream* os) {
    *os << "value " << int(c.value) << ", recording " << c.before;
  }
};

class Sustain : public ControlMap, public testing::WithParamInterface<SustainCase> {};

TEST_P(Sustain, RecordsAbove64Only) {
  const SustainCase& c = GetParam();
  engine.recording = c.before;
  EngineState expected = stateOf(engine);
  expected.recording = c.after;
  engine.handleMidiMessage(kControlChange, 64, c.value);
  EXPECT_EQ(stateOf(engine), expected);
}

INSTANTIATE_TEST_SUITE_P(Values, Sustain,
                         testing::Values(SustainCase{64, true, false}, SustainCase{65, false, true},
                                         SustainCase{127, false, true}, SustainCase{0, true, false},
                                         // Bytes 255 and 128 read as negative.
                                         SustainCase{-1, true, false},
                                         SustainCase{-128, true, false}));

TEST_F(ControlMap, MarkSetAndRecallFollowListOrder) {
  engine.handleMidiMessage(kNoteOn, 72, 100);
  engine.handleMidiMessage(kNoteOn, 75, 100);
  EXPECT_EQ(engine.playPos, 1);
  EXPECT_EQ(engine.markPos, 1);

  engine.playPos = 3;
  engine.handleMidiMessage(kNoteOn, 75, 100);
  engine.handleMidiMessage(kNoteOn, 72, 100);
  EXPECT_EQ(engine.playPos, 3);
  EXPECT_EQ(engine.markPos, 3);
}

TEST_F(ControlMap, ClearSilencesTheLoopAndResetsOnlyTheSwitches) {
  engine.reverse = true;
  engine.octaveDown = true;
  engine.recording = true;
  EngineState expected = stateOf(engine);
  expected.loopBits = bitsOf(std::vector<float>(4, 0.0f));
  expected.reverse = false;
  expected.octaveDown = false;
  engine.handleMidiMessage(kNoteOn, 36, 100);
  EXPECT_EQ(stateOf(engine), expected);
}

TEST_F(ControlMap, OctaveAfterClearDoublesAgain) {
  engine.handleMidiMessage(kNoteOn, 55, 100);
  engine.handleMidiMessage(kNoteOn, 36, 100);
  engine.handleMidiMessage(kNoteOn, 55, 100);
  EXPECT_EQ(engine.loopLength, 16);
  EXPECT_TRUE(engine.octaveDown);
}

struct LoopSecondsCase {
  int32_t channels;
  int8_t value;
  int32_t length;
  friend void PrintTo(const LoopSecondsCase& c, std::ostream* os) {
    *os << c.channels << " channels, value " << int(c.value);
  }
};

class LoopSeconds : public testing::TestWithParam<LoopSecondsCase> {};

TEST_P(LoopSeconds, SizesASilentLoopForTheLatestChannelCount) {
  const LoopSecondsCase& c = GetParam();
  LoopEngine engine;
  ASSERT_TRUE(engine.initEngine());
  // Stereo only once a block has come with a second input; before any
  // block the engine counts one channel.
  if (c.channels == 2) {
    float sample = 0.0f;
    engine.processReplacing(&sample, &sample, &sample, &sample, 0, {0.0f, 0.0f, 0.0f});
  }
  installLoop(engine, {1, 2, 3, 4}, engine.numChannels, 3, 2);
  engine.reverse = true;
  engine.octaveDown = true;
  engine.recording = true;
  engine.inputGain = 0.5f;

  engine.handleMidiMessage(kControlChange, 127, c.value);

  EXPECT_EQ(engine.loopLength, c.length);
  const std::vector<float> loop = loopContents(engine);
  EXPECT_TRUE(std::all_of(loop.begin(), loop.end(), [](float f) { return f == 0.0f; }));
  EXPECT_EQ(engine.playPos, 0);
  EXPECT_EQ(engine.markPos, 0);
  EXPECT_FALSE(engine.reverse);
  EXPECT_FALSE(engine.octaveDown);
  EXPECT_TRUE(engine.recording);
  EXPECT_EQ(engine.inputGain, 0.5f);
  EXPECT_EQ(engine.numChannels, c.channels);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LoopSeconds,
    testing::Values(LoopSecondsCase{1, 0, 176400}, LoopSecondsCase{2, 0, 352800},
                    LoopSecondsCase{1, 1, 44100}, LoopSecondsCase{2, 1, 88200},
                    LoopSecondsCase{1, 8, 352800}, LoopSecondsCase{2, 8, 705600},
                    LoopSecondsCase{1, 9, 352800}, LoopSecondsCase{1, 100, 352800},
                    LoopSecondsCase{2, 100, 705600}, LoopSecondsCase{2, 127, 705600}));

}  // namespace
}  // namespace quarvine::test

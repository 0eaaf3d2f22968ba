// The five rewrites on small loops, and the capacity of duplicate and mirror.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loop_engine.h"
#include "loop_fixture.h"

namespace quarvine::test {
namespace {

constexpr int32_t kNoteOn = 0x90;
constexpr int8_t kOctave = 55;
constexpr int8_t kFold = 82;
constexpr int8_t kDuplicate = 84;
constexpr int8_t kMirror = 87;
constexpr int8_t kReverseMix = 91;

// Loop floats are distinct powers of two, so every copy and every sum of
// two floats can be told apart: in stereo l0 r0 l1 r1 ... = 1 2 4 8 ...
struct RewriteCase {
  const char* name;
  int8_t note;
  int32_t channels;
  bool octaveDown;
  std::vector<float> before;
  int32_t playPos;
  int32_t markPos;
  std::vector<float> after;
  int32_t newPlayPos;
  int32_t newMarkPos;
  friend void PrintTo(const RewriteCase& c, std::ostream* os) { *os << c.name; }
};

class Rewrite : public testing::TestWithParam<RewriteCase> {};

TEST_P(Rewrite, BuildsTheNewLoopAndCarriesThePositions) {
  const RewriteCase& c = GetParam();
  LoopEngine engine;
  installLoop(engine, c.before, c.channels, c.playPos, c.markPos);
  engine.octaveDown = c.octaveDown;
  engine.reverse = true;
  engine.recording = true;
  engine.inputGain = 0.25f;

  engine.handleMidiMessage(kNoteOn, c.note, 100);

  EXPECT_EQ(loopContents(engine), c.after);
  EXPECT_EQ(engine.loopLength, static_cast<int32_t>(c.after.size()));
  EXPECT_EQ(engine.playPos, c.newPlayPos);
  EXPECT_EQ(engine.markPos, c.newMarkPos);
  // Only the octave switch flips its own state; nothing touches the rest.
  EXPECT_EQ(engine.octaveDown, c.note == kOctave ? !c.octaveDown : c.octaveDown);
  EXPECT_TRUE(engine.reverse);
  EXPECT_TRUE(engine.recording);
  EXPECT_EQ(engine.inputGain, 0.25f);
  EXPECT_EQ(engine.numChannels, c.channels);
}

INSTANTIATE_TEST_SUITE_P(
    OctaveDoubling, Rewrite,
    testing::Values(
        RewriteCase{"Mono", kOctave, 1, false, {1, 2, 4, 8}, 3, 1,
                    {1, 1, 2, 2, 4, 4, 8, 8}, 6, 2},
        RewriteCase{"Stereo", kOctave, 2, false, {1, 2, 4, 8}, 3, 2,
                    {1, 2, 1, 2, 4, 8, 4, 8}, 6, 4},
        // The last old frame lacks its right float: that float stays 0, and
        // the second copy of the left float would lie past the end.
        RewriteCase{"StereoOddLength", kOctave, 2, false, {1, 2, 4}, 2, 1, {1, 2, 1, 2, 4, 0}, 4, 2},
        RewriteCase{"StereoSingleFloat", kOctave, 2, false, {1}, 0, 0, {1, 0}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    OctaveHalving, Rewrite,
    testing::Values(
        RewriteCase{"Mono", kOctave, 1, true, {1, 2, 4, 8, 16, 32, 64, 128}, 7, 2,
                    {1, 4, 16, 64}, 3, 1},
        RewriteCase{"Stereo", kOctave, 2, true, {1, 2, 4, 8, 16, 32, 64, 128}, 6, 5,
                    {1, 2, 16, 32}, 3, 2},
        // Three floats: the incomplete last frame takes the left float of
        // old frame 2.
        RewriteCase{"StereoOddNewLength", kOctave, 2, true, {1, 2, 4, 8, 16, 32}, 5, 4,
                    {1, 2, 16}, 2, 2},
        // Both positions on the last float of an odd loop: held on the new
        // last float.
        RewriteCase{"MonoOddLengthLastFloat", kOctave, 1, true, {1, 2, 4, 8, 16}, 4, 4,
                    {1, 4}, 1, 1},
        RewriteCase{"MonoLengthThreeLastFloat", kOctave, 1, true, {1, 2, 4}, 2, 1, {1}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Fold, Rewrite,
    testing::Values(
        RewriteCase{"EvenLength", kFold, 1, false, {1, 2, 4, 8}, 1, 0, {1 + 4, 2 + 8}, 1, 0},
        RewriteCase{"OddLengthDropsLastFloat", kFold, 1, false, {1, 2, 4, 8, 16}, 0, 0,
                    {1 + 4, 2 + 8}, 0, 0},
        RewriteCase{"SecondHalfPositionIsHalved", kFold, 1, false,
                    {1, 2, 4, 8, 16, 32, 64, 128}, 6, 2, {17, 34, 68, 136}, 3, 2},
        RewriteCase{"HalfwayPositionIsHalved", kFold, 1, true,
                    {1, 2, 4, 8, 16, 32, 64, 128}, 4, 3, {17, 34, 68, 136}, 2, 3},
        // A mark in the dropped half is halved as playPos is.
        RewriteCase{"MarkInSecondHalfIsHalved", kFold, 1, false, {1, 2, 4, 8, 16, 32, 64}, 3, 5,
                    {1 + 8, 2 + 16, 4 + 32}, 1, 2},
        // On the last float of an odd loop the half is the new length: held
        // on the new last float, for playPos and the mark alike.
        RewriteCase{"LastFloatOfOddLengthIsHeldInside", kFold, 1, false, {1, 2, 4, 8, 16}, 4, 4,
                    {1 + 4, 2 + 8}, 1, 1},
        RewriteCase{"MarkOnNewLengthIsHeldInside", kFold, 1, false, {1, 2, 4, 8, 16, 32, 64}, 0, 3,
                    {1 + 8, 2 + 16, 4 + 32}, 0, 1},
        // Three frames fold at float 3: left floats meet right ones.
        RewriteCase{"StereoOddFrameCount", kFold, 2, false, {1, 2, 4, 8, 16, 32}, 0, 0,
                    {1 + 8, 2 + 16, 4 + 32}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DuplicateMirrorReverseMix, Rewrite,
    testing::Values(
        RewriteCase{"Duplicate", kDuplicate, 1, false, {1, 2, 4}, 2, 1, {1, 2, 4, 1, 2, 4}, 2, 1},
        RewriteCase{"Mirror", kMirror, 1, true, {1, 2, 4}, 2, 1, {1, 2, 4, 4, 2, 1}, 2, 1},
        RewriteCase{"MirrorStereoSwapsLeftAndRight", kMirror, 2, false, {1, 2, 4, 8}, 3, 0,
                    {1, 2, 4, 8, 8, 4, 2, 1}, 3, 0},
        RewriteCase{"ReverseMix", kReverseMix, 1, false, {1, 2, 4}, 2, 1, {1 + 4, 2 + 2, 4 + 1},
                    2, 1},
        RewriteCase{"ReverseMixStereo", kReverseMix, 2, true, {1, 2, 4, 8}, 3, 2,
                    {1 + 8, 2 + 4, 4 + 2, 8 + 1}, 3, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// Doubling then halving restores the length, the positions and the
// contents, on even and odd lengths alike.
TEST(OctaveSwitch, DoublingThenHalvingRestoresTheLoop) {
  for (int32_t channels = 1; channels <= 2; ++channels) {
    for (int32_t length = 1; length <= 7; ++length) {
      std::vector<float> loop;
      for (int32_t i = 0; i < length; ++i) {
        loop.push_back(static_cast<float>(i + 1));
      }
      LoopEngine engine;
      installLoop(engine, loop, channels, length - 1, length / 2);
      const EngineState before = stateOf(engine);
      engine.toggleOctaveDown();
      engine.toggleOctaveDown();
      EngineState after = stateOf(engine);
      after.buffer = before.buffer;
      EXPECT_EQ(after, before) << channels << " channels, length " << length;
    }
  }
}

struct CapacityCase {
  const char* name;
  int8_t note;
  int32_t channels;
  int32_t length;
  bool allowed;
  friend void PrintTo(const CapacityCase& c, std::ostream* os) { *os << c.name; }
};

class Capacity : public testing::TestWithParam<CapacityCase> {};

TEST_P(Capacity, DoublesUpToTheLimitOnlyForDuplicateAndMirror) {
  const CapacityCase& c = GetParam();
  LoopEngine engine;
  installLoop(engine, std::vector<float>(c.length, 0.5f), c.channels, c.length - 1, 1);
  const EngineState before = stateOf(engine);

  engine.handleMidiMessage(kNoteOn, c.note, 100);

  if (c.allowed) {
    EXPECT_EQ(engine.loopLength, 2 * c.length);
  } else {
    EXPECT_EQ(stateOf(engine), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, Capacity,
    testing::Values(CapacityCase{"DuplicateMonoReachesLimit", kDuplicate, 1, 176400, true},
                    CapacityCase{"DuplicateMonoAboveLimit", kDuplicate, 1, 176401, false},
                    CapacityCase{"DuplicateMonoOfFullLoop", kDuplicate, 1, 352800, false},
                    CapacityCase{"DuplicateStereoReachesLimit", kDuplicate, 2, 352800, true},
                    CapacityCase{"DuplicateStereoAboveLimit", kDuplicate, 2, 352801, false},
                    CapacityCase{"MirrorMonoReachesLimit", kMirror, 1, 176400, true},
                    CapacityCase{"MirrorMonoAboveLimit", kMirror, 1, 176401, false},
                    CapacityCase{"MirrorStereoReachesLimit", kMirror, 2, 352800, true},
                    CapacityCase{"MirrorStereoAboveLimit", kMirror, 2, 352801, false},
                    CapacityCase{"OctaveMonoPastLimit", kOctave, 1, 352800, true},
                    CapacityCase{"OctaveStereoPastLimit", kOctave, 2, 705600, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarvine::test

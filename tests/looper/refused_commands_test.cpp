// Commands that cannot be carried out change nothing: no memory for the new
// buffer, a length beyond int32_t, or a halving of a one-float loop.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "failing_allocation.h"
#include "loop_engine.h"
#include "loop_fixture.h"

namespace quarvine::test {
namespace {

constexpr int32_t kNoteOn = 0x90;
constexpr int32_t kControlChange = 0xB0;

struct RefusedCase {
  const char* name;
  int32_t status;
  int8_t data1;
  int8_t data2;
  bool octaveDown;
  friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

std::string caseName(const testing::TestParamInfo<RefusedCase>& info) {
  return info.param.name;
}

// Every command that allocates a buffer, with the failure armed for it.
class AllocationFailure : public testing::TestWithParam<RefusedCase> {};

TEST_P(AllocationFailure, RefusesTheCommand) {
  const RefusedCase& c = GetParam();
  LoopEngine engine;
  installLoop(engine, {1, 2, 4, 8, 16, 32}, 2, 5, 3);
  engine.octaveDown = c.octaveDown;
  engine.reverse = true;
  const EngineState before = stateOf(engine);

  failNextAllocation();
  engine.handleMidiMessage(c.status, c.data1, c.data2);

  EXPECT_FALSE(allocationFailurePending()) << "the command made no allocation";
  EXPECT_EQ(stateOf(engine), before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AllocationFailure,
    testing::Values(RefusedCase{"OctaveDoubling", kNoteOn, 55, 100, false},
                    RefusedCase{"OctaveHalving", kNoteOn, 55, 100, true},
                    RefusedCase{"Fold", kNoteOn, 82, 100, false},
                    RefusedCase{"Duplicate", kNoteOn, 84, 100, false},
                    RefusedCase{"Mirror", kNoteOn, 87, 100, false},
                    RefusedCase{"ReverseMix", kNoteOn, 91, 100, false},
                    RefusedCase{"LoopSeconds", kControlChange, 127, 2, true}),
    caseName);

TEST(AllocationFailure, RefusesTheInstanceWithoutABuffer) {
  LoopEngine engine;
  failNextAllocation();
  EXPECT_FALSE(engine.initEngine());
  EXPECT_EQ(engine.loopBuffer, nullptr);
  EXPECT_EQ(engine.loopLength, 0);
}

// A one-float loop cannot be halved.
class OneFloatLoop : public testing::TestWithParam<RefusedCase> {};

TEST_P(OneFloatLoop, RefusesHalving) {
  const RefusedCase& c = GetParam();
  LoopEngine engine;
  installLoop(engine, {3.0f});
  engine.octaveDown = c.octaveDown;
  const EngineState before = stateOf(engine);
  engine.handleMidiMessage(c.status, c.data1, c.data2);
  EXPECT_EQ(stateOf(engine), before);
}

INSTANTIATE_TEST_SUITE_P(Commands, OneFloatLoop,
                         testing::Values(RefusedCase{"OctaveHalving", kNoteOn, 55, 100, true},
                                         RefusedCase{"Fold", kNoteOn, 82, 100, false}),
                         caseName);

// The doubling commands on a loop of 2^30 floats, whose double does not fit
// in int32_t. The length is claimed over a small block: a refusal must come
// before the buffer is read or a new one allocated.
class LengthOverflow : public testing::TestWithParam<RefusedCase> {};

TEST_P(LengthOverflow, RefusesWithoutTouchingTheBuffer) {
  const RefusedCase& c = GetParam();
  LoopEngine engine;
  installLoop(engine, {1, 2, 4, 8}, 2, 3, 1);
  engine.loopLength = 1 << 30;
  engine.octaveDown = c.octaveDown;
  const float* buffer = engine.loopBuffer;

  engine.handleMidiMessage(c.status, c.data1, c.data2);

  EXPECT_EQ(engine.loopBuffer, buffer);
  EXPECT_EQ(engine.loopLength, 1 << 30);
  EXPECT_EQ(engine.playPos, 3);
  EXPECT_EQ(engine.markPos, 1);
  EXPECT_EQ(engine.octaveDown, c.octaveDown);
  engine.loopLength = 4;
  EXPECT_EQ(loopContents(engine), (std::vector<float>{1, 2, 4, 8}));
}

INSTANTIATE_TEST_SUITE_P(Commands, LengthOverflow,
                         testing::Values(RefusedCase{"OctaveDoubling", kNoteOn, 55, 100, false},
                                         RefusedCase{"Duplicate", kNoteOn, 84, 100, false},
                                         RefusedCase{"Mirror", kNoteOn, 87, 100, false}),
                         caseName);

}  // namespace
}  // namespace quarvine::test

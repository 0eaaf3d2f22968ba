// Flush-to-zero and denormals-are-zero hold for the block only: the host's
// floating-point control settings come back exactly as they were.
#include <gtest/gtest.h>

#include <cstdint>
#include <ios>
#include <string>
#include <vector>

#include "loop_engine.h"
#include "loop_fixture.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <xmmintrin.h>
#endif

namespace quarvine::test {
namespace {

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
constexpr bool kHasControlRegister = true;
unsigned readControl() { return _mm_getcsr(); }
void writeControl(unsigned control) { _mm_setcsr(control); }
#else
constexpr bool kHasControlRegister = false;
unsigned readControl() { return 0; }
void writeControl(unsigned) {}
#endif

// Round to nearest, every exception masked, no flushing, no flags.
constexpr unsigned kPlainControl = 0x1F80u;

// Puts the test program's own control state back whatever a case leaves.
class ControlRegister : public testing::Test {
protected:
  void SetUp() override {
    if (!kHasControlRegister) GTEST_SKIP() << "no SSE control register";
    own = readControl();
  }
  void TearDown() override { writeControl(own); }
  unsigned own = 0;
};

// A recording block over a subnormal and a normal loop float, with a
// feedback that takes the normal one below the smallest normal float.
// Returns the first output.
std::vector<float> tinyBlock(LoopEngine& engine) {
  installLoop(engine, {1e-39f, 3e-38f});
  engine.recording = true;
  engine.inputGain = 1.0f;
  std::vector<float> input{0.0f, 0.0f};
  std::vector<float> first(2);
  std::vector<float> second(2);
  engine.processReplacing(input.data(), nullptr, first.data(), second.data(), 2,
                          {0.25f, 1.0f, 0.0f});
  return first;
}

TEST_F(ControlRegister, SubnormalsAreReadAndWrittenAsZeroDuringTheBlock) {
  writeControl(kPlainControl);
  LoopEngine engine;
  const std::vector<float> output = tinyBlock(engine);

  // The subnormal float plays as silence, the normal one as itself; a
  // quarter of the normal one, 7.5e-39, is written back as zero.
  EXPECT_EQ(bitsOf(output), bitsOf(std::vector<float>{0.0f, 3e-38f}));
  EXPECT_EQ(bitsOf(loopContents(engine)), bitsOf(std::vector<float>{0.0f, 0.0f}));
}

struct HostControlCase {
  const char* name;
  unsigned control;
  friend void PrintTo(const HostControlCase& c, std::ostream* os) {
    *os << c.name << " 0x" << std::hex << c.control;
  }
};

class HostControl : public ControlRegister,
                    public testing::WithParamInterface<HostControlCase> {};

// Flush-to-zero is bit 15, rounding bits 13-14, exception masks bits 7-12
// (bit 9, division by zero, can be unmasked: the block divides nothing),
// denormals-are-zero bit 6. Bits 0-5 are the sticky exception flags, a
// record of what any float arithmetic met rather than a setting.
constexpr unsigned kControlBits = 0xFFC0u;

TEST_P(HostControl, IsTheSameAfterTheBlockAsBefore) {
  writeControl(GetParam().control);
  const unsigned before = readControl() & kControlBits;
  LoopEngine engine;
  tinyBlock(engine);
  const unsigned after = readControl() & kControlBits;
  EXPECT_EQ(after, before) << std::hex << "before 0x" << before << ", after 0x" << after;
}

// One engine under a host that changes its rounding between blocks: each
// block rounds as the host has set it, not as the block before did.
TEST_F(ControlRegister, EachBlockRoundsAsTheHostHasSetIt) {
  LoopEngine engine;
  installLoop(engine, {0.3f});
  const MixLevels levels{1.0f, 0.1f, 0.7f};
  // Nearest, upward, downward, toward zero, nearest again.
  for (const unsigned control : {0x1F80u, 0x5F80u, 0x3F80u, 0x7F80u, 0x1F80u}) {
    writeControl(control | 0x8040u);
    volatile float held = 0.3f;
    volatile float input = -0.2f;
    const float expected = levels.loopMix * held + levels.dryMix * input;
    writeControl(control);
    float in = -0.2f;
    float first = 0.0f;
    float second = 0.0f;
    engine.processReplacing(&in, nullptr, &first, &second, 1, levels);
    EXPECT_EQ(bitsOf(first), bitsOf(expected)) << std::hex << "host control 0x" << control;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostControl,
    testing::Values(HostControlCase{"TowardZeroNoFlushing", 0x7F80u},
                    HostControlCase{"UpwardFlushToZeroOnlyZeroDivideUnmasked", 0xDD80u},
                    HostControlCase{"DownwardBothFlushModes", 0xBFC0u}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarvine::test

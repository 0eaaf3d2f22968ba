// A new engine: the state that initEngine sets up.
#include <gtest/gtest.h>

#include <vector>

#include "loop_engine.h"
#include "loop_fixture.h"

namespace quarvine::test {
namespace {

TEST(InitEngine, InstallsFourSecondsOfSilenceAtRest) {
  LoopEngine engine;
  engine.recording = true;
  engine.reverse = true;
  engine.octaveDown = true;
  engine.inputGain = 0.5f;
  engine.playPos = 3;
  engine.markPos = 2;
  engine.numChannels = 2;
  ASSERT_TRUE(engine.initEngine());

  EXPECT_EQ(engine.loopLength, 176400);
  EXPECT_EQ(loopContents(engine), std::vector<float>(176400, 0.0f));
  EXPECT_EQ(engine.playPos, 0);
  EXPECT_EQ(engine.markPos, 0);
  EXPECT_EQ(engine.inputGain, 0.0f);
  EXPECT_FALSE(engine.recording);
  EXPECT_FALSE(engine.reverse);
  EXPECT_FALSE(engine.octaveDown);
  EXPECT_EQ(engine.numChannels, 1);
}

}  // namespace
}  // namespace quarvine::test

// Creating, using and closing instances of the loaded plug-in as a host does.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "loaded_plugin.h"

namespace {

std::string programName(AEffect* effect) {
  char text[64] = {};
  dispatch(effect, effGetProgramName, 0, 0, text);
  return text;
}

using LoadedPlugin = LoadedPluginTest;

TEST_F(LoadedPlugin, MainAsksTheHostsVersionAndReturnsTheInstrumentsRecord) {
  AEffect* effect = create();
  ASSERT_NE(effect, nullptr);

  ASSERT_EQ(FakeHost::requests.size(), 1u) << "the version query is the only request";
  const HostRequest& query = FakeHost::requests[0];
  EXPECT_EQ(query.effect, nullptr);
  EXPECT_EQ(query.opcode, audioMasterVersion);
  EXPECT_EQ(query.index, 0);
  EXPECT_EQ(query.value, 0);
  EXPECT_EQ(query.ptr, nullptr);
  EXPECT_EQ(query.opt, 0.0f);

  EXPECT_EQ(effect->magic, 0x56737450);
  EXPECT_NE(effect->dispatcher, nullptr);
  EXPECT_NE(effect->process, nullptr);
  EXPECT_NE(effect->setParameter, nullptr);
  EXPECT_NE(effect->getParameter, nullptr);
  EXPECT_NE(effect->processReplacing, nullptr);
  EXPECT_EQ(effect->numPrograms, 32);
  EXPECT_EQ(effect->numParams, 3);
  EXPECT_EQ(effect->numInputs, 1);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(effect->flags, effFlagsCanReplacing);
  EXPECT_EQ(effect->resvd1, 0);
  EXPECT_EQ(effect->resvd2, 0);
  EXPECT_EQ(effect->initialDelay, 0);
  EXPECT_EQ(effect->realQualities, 0);
  EXPECT_EQ(effect->offQualities, 0);
  EXPECT_EQ(effect->ioRatio, 1.0f);
  EXPECT_NE(effect->object, nullptr);
  EXPECT_EQ(effect->user, nullptr);
  EXPECT_EQ(effect->uniqueID, fourCharCode('Q', 'v', 'F', 'b'));
  EXPECT_EQ(effect->version, 1);
  EXPECT_EQ(std::vector<char>(effect->future, effect->future + sizeof effect->future),
            std::vector<char>(60, 0));

  EXPECT_EQ(dispatch(effect, effGetProgram), 0);
  EXPECT_EQ(programName(effect), "Basic");
  EXPECT_EQ(effect->getParameter(effect, 0), 0.95f);
  EXPECT_EQ(effect->getParameter(effect, 1), 1.0f);
  EXPECT_EQ(effect->getParameter(effect, 2), 0.0f);
  char name[64] = {};
  EXPECT_EQ(dispatch(effect, effGetEffectName, 0, 0, name), 1);
  EXPECT_STREQ(name, "QuarvineVSTi");
}

TEST_F(LoadedPlugin, AHostAnsweringZeroToTheVersionQueryGetsNoInstance) {
  FakeHost::reset(0);
  EXPECT_EQ(create(), nullptr);
  ASSERT_EQ(FakeHost::requests.size(), 1u);
  EXPECT_EQ(FakeHost::requests[0].opcode, audioMasterVersion);
}

TEST_F(LoadedPlugin, MainWithoutAHostCallbackGivesNoInstance) {
  EXPECT_EQ(pluginMain(nullptr), nullptr);
}

TEST_F(LoadedPlugin, TwoInstancesShareNothing) {
  AEffect* first = create();
  AEffect* second = create();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_NE(first->object, second->object);

  first->setParameter(first, 0, 0.25f);
  char renamed[] = "Changed";
  dispatch(first, effSetProgramName, 0, 0, renamed);
  dispatch(first, effSetProgram, 0, 9);
  first->setParameter(first, 2, 0.5f);

  EXPECT_EQ(dispatch(second, effGetProgram), 0);
  EXPECT_EQ(programName(second), "Basic");
  EXPECT_EQ(second->getParameter(second, 0), 0.95f);
  EXPECT_EQ(second->getParameter(second, 2), 0.0f);

  EXPECT_EQ(close(first), 1);
  second->setParameter(second, 1, 0.75f);
  EXPECT_EQ(second->getParameter(second, 1), 0.75f);
  EXPECT_EQ(programName(second), "Basic");
}

TEST_F(LoadedPlugin, CloseAnswersOneAfterAnyUse) {
  AEffect* fresh = create();
  AEffect* used = create();
  ASSERT_NE(fresh, nullptr);
  ASSERT_NE(used, nullptr);
  dispatch(used, effOpen);
  dispatch(used, effMainsChanged, 0, 1);
  dispatch(used, effSetProgram, 0, 31);
  dispatch(used, effMainsChanged, 0, 0);
  EXPECT_EQ(close(fresh), 1);
  EXPECT_EQ(close(used), 1);
}

}  // namespace

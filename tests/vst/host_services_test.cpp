// Calls back to the host: what each service sends, how it reads the host's
// answer, and what it gives without a host.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../support/fake_host.h"
#include "test_effect.h"

namespace {

char gText[32];
char gOther[8];
const VstIntPtr kOther = reinterpret_cast<VstIntPtr>(gOther);

VstIntPtr pointerResult(const void* pointer) { return reinterpret_cast<VstIntPtr>(pointer); }

struct Service {
  const char* name;
  std::function<VstIntPtr(TestEffect&)> call;
  VstIntPtr hostAnswer;
  // What the host must receive.
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
  // What the service gives with that host, and with none.
  VstIntPtr result;
  VstIntPtr resultWithoutHost;
};

const Service kServices[] = {
    {"setParameterAutomated", [](TestEffect& e) { return e.setParameterAutomated(5, 0.75f), 0; },
     9, audioMasterAutomate, 5, 0, nullptr, 0.75f, 0, 0},
    {"getMasterVersion answered", [](TestEffect& e) { return e.getMasterVersion(); }, 2,
     audioMasterVersion, 0, 0, nullptr, 0.0f, 2, 1},
    {"getMasterVersion unanswered", [](TestEffect& e) { return e.getMasterVersion(); }, 0,
     audioMasterVersion, 0, 0, nullptr, 0.0f, 1, 1},
    {"getCurrentUniqueId", [](TestEffect& e) { return e.getCurrentUniqueId(); }, 0x41424344,
     audioMasterCurrentId, 0, 0, nullptr, 0.0f, 0x41424344, 0},
    {"masterIdle", [](TestEffect& e) { return e.masterIdle(), 0; }, 1, audioMasterIdle, 0, 0,
     nullptr, 0.0f, 0, 0},
    {"isInputConnected yes", [](TestEffect& e) { return e.isInputConnected(3); }, 0,
     audioMasterPinConnected, 3, 0, nullptr, 0.0f, 1, 1},
    {"isInputConnected no", [](TestEffect& e) { return e.isInputConnected(3); }, 1,
     audioMasterPinConnected, 3, 0, nullptr, 0.0f, 0, 1},
    {"isOutputConnected yes", [](TestEffect& e) { return e.isOutputConnected(4); }, 0,
     audioMasterPinConnected, 4, 1, nullptr, 0.0f, 1, 1},
    {"isOutputConnected no", [](TestEffect& e) { return e.isOutputConnected(4); }, -1,
     audioMasterPinConnected, 4, 1, nullptr, 0.0f, 0, 1},
    {"wantEvents", [](TestEffect& e) { return e.wantEvents(1), 0; }, 1, audioMasterWantMidi, 0, 1,
     nullptr, 0.0f, 0, 0},
    {"getTimeInfo", [](TestEffect& e) { return pointerResult(e.getTimeInfo(5)); }, kOther,
     audioMasterGetTime, 0, 5, nullptr, 0.0f, kOther, 0},
    {"tempoAt", [](TestEffect& e) { return e.tempoAt(9); }, 120000, audioMasterTempoAt, 0, 9,
     nullptr, 0.0f, 120000, 0},
    {"getNumAutomatableParameters", [](TestEffect& e) { return e.getNumAutomatableParameters(); },
     12, audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f, 12, 0},
    {"getParameterQuantization", [](TestEffect& e) { return e.getParameterQuantization(); }, 3,
     audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f, 3, 0},
    {"ioChanged yes", [](TestEffect& e) { return e.ioChanged(); }, 5, audioMasterIOChanged, 0, 0,
     nullptr, 0.0f, 1, 0},
    {"ioChanged no", [](TestEffect& e) { return e.ioChanged(); }, 0, audioMasterIOChanged, 0, 0,
     nullptr, 0.0f, 0, 0},
    {"needIdle", [](TestEffect& e) { return e.needIdle(); }, -1, audioMasterNeedIdle, 0, 0,
     nullptr, 0.0f, 1, 0},
    {"sizeWindow", [](TestEffect& e) { return e.sizeWindow(640, 480); }, 1,
     audioMasterSizeWindow, 640, 480, nullptr, 0.0f, 1, 0},
    {"updateSampleRate", [](TestEffect& e) { return static_cast<VstIntPtr>(e.updateSampleRate()); },
     96000, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f, 44100, 44100},
    {"updateBlockSize", [](TestEffect& e) { return e.updateBlockSize(); }, 512,
     audioMasterGetBlockSize, 0, 0, nullptr, 0.0f, 1024, 1024},
    {"getInputLatency", [](TestEffect& e) { return e.getInputLatency(); }, 64,
     audioMasterGetInputLatency, 0, 0, nullptr, 0.0f, 64, 0},
    {"getOutputLatency", [](TestEffect& e) { return e.getOutputLatency(); }, 128,
     audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f, 128, 0},
    {"getPreviousPlug", [](TestEffect& e) { return pointerResult(e.getPreviousPlug(3)); }, kOther,
     audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f, kOther, 0},
    {"getNextPlug", [](TestEffect& e) { return pointerResult(e.getNextPlug(3)); }, kOther,
     audioMasterGetNextPlug, 0, 0, nullptr, 0.0f, kOther, 0},
    {"willProcessReplacing", [](TestEffect& e) { return e.willProcessReplacing(); }, 1,
     audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f, 1, 0},
    {"getCurrentProcessLevel", [](TestEffect& e) { return e.getCurrentProcessLevel(); }, 2,
     audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f, 2, 0},
    {"getAutomationState", [](TestEffect& e) { return e.getAutomationState(); }, 3,
     audioMasterGetAutomationState, 0, 0, nullptr, 0.0f, 3, 0},
    {"offlineStart", [](TestEffect& e) { return e.offlineStart(gText, 4, 2); }, 7,
     audioMasterOfflineStart, 2, 4, gText, 0.0f, 1, 0},
    {"offlineRead source", [](TestEffect& e) { return e.offlineRead(gText, 6, true); }, 7,
     audioMasterOfflineRead, 1, 6, gText, 0.0f, 1, 0},
    {"offlineRead destination", [](TestEffect& e) { return e.offlineRead(gText, 6, false); }, 0,
     audioMasterOfflineRead, 0, 6, gText, 0.0f, 0, 0},
    {"offlineWrite", [](TestEffect& e) { return e.offlineWrite(gText, 6); }, 1,
     audioMasterOfflineWrite, 0, 6, gText, 0.0f, 1, 0},
    {"offlineGetCurrentPass", [](TestEffect& e) { return e.offlineGetCurrentPass(); }, 5,
     audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f, 1, 0},
    {"offlineGetCurrentPass none", [](TestEffect& e) { return e.offlineGetCurrentPass(); }, 0,
     audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f, 0, 0},
    {"offlineGetCurrentMetaPass", [](TestEffect& e) { return e.offlineGetCurrentMetaPass(); }, -3,
     audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f, 1, 0},
    {"setOutputSamplerate", [](TestEffect& e) { return e.setOutputSamplerate(48000.0f), 0; }, 1,
     audioMasterSetOutputSampleRate, 0, 0, nullptr, 48000.0f, 0, 0},
    {"getSpeakerArrangement", [](TestEffect& e) { return e.getSpeakerArrangement(gOther, gText); },
     1, audioMasterGetSpeakerArrangement, 0, kOther, gText, 0.0f, 1, 0},
    {"getHostVendorString", [](TestEffect& e) { return e.getHostVendorString(gText); }, 1,
     audioMasterGetVendorString, 0, 0, gText, 0.0f, 1, 0},
    {"getHostProductString", [](TestEffect& e) { return e.getHostProductString(gText); }, 1,
     audioMasterGetProductString, 0, 0, gText, 0.0f, 1, 0},
    {"getHostVendorVersion", [](TestEffect& e) { return e.getHostVendorVersion(); }, 1234,
     audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f, 1234, 0},
    {"hostVendorSpecific", [](TestEffect& e) { return e.hostVendorSpecific(5, 6, gText, 0.5f); },
     -77, audioMasterVendorSpecific, 5, 6, gText, 0.5f, -77, 0},
    {"canHostDo yes", [](TestEffect& e) { return e.canHostDo(gText); }, 1, audioMasterCanDo, 0, 0,
     gText, 0.0f, 1, 0},
    {"canHostDo no", [](TestEffect& e) { return e.canHostDo(gText); }, -1, audioMasterCanDo, 0, 0,
     gText, 0.0f, -1, 0},
    {"canHostDo unknown", [](TestEffect& e) { return e.canHostDo(gText); }, 0, audioMasterCanDo, 0,
     0, gText, 0.0f, 0, 0},
    {"getHostLanguage", [](TestEffect& e) { return e.getHostLanguage(); }, 2,
     audioMasterGetLanguage, 0, 0, nullptr, 0.0f, 2, 0},
    {"openWindow", [](TestEffect& e) { return pointerResult(e.openWindow(gText)); }, kOther,
     audioMasterOpenWindow, 0, 0, gText, 0.0f, kOther, 0},
    {"closeWindow", [](TestEffect& e) { return e.closeWindow(gText); }, 1,
     audioMasterCloseWindow, 0, 0, gText, 0.0f, 1, 0},
    {"getDirectory", [](TestEffect& e) { return pointerResult(e.getDirectory()); }, kOther,
     audioMasterGetDirectory, 0, 0, nullptr, 0.0f, kOther, 0},
    {"updateDisplay", [](TestEffect& e) { return e.updateDisplay(); }, 1,
     audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f, 1, 0},
};

TEST(HostServices, EachSendsOneRequestWithItsArgumentsAndReadsTheAnswer) {
  for (const Service& service : kServices) {
    SCOPED_TRACE(service.name);
    FakeHost::reset(service.hostAnswer);
    TestEffect effect(FakeHost::callback);

    EXPECT_EQ(service.call(effect), service.result);

    ASSERT_EQ(FakeHost::requests.size(), 1u);
    const HostRequest& sent = FakeHost::requests[0];
    EXPECT_EQ(sent.effect, effect.getAeffect());
    EXPECT_EQ(sent.opcode, service.opcode);
    EXPECT_EQ(sent.index, service.index);
    EXPECT_EQ(sent.value, service.value);
    EXPECT_EQ(sent.ptr, service.ptr);
    EXPECT_EQ(sent.opt, service.opt);
  }
}

TEST(HostServices, WithoutAHostEachGivesItsFixedAnswer) {
  for (const Service& service : kServices) {
    SCOPED_TRACE(service.name);
    TestEffect effect(nullptr);
    EXPECT_EQ(service.call(effect), service.resultWithoutHost);
  }
}

TEST(HostServices, RateAndSizeQueriesLeaveTheStoredValues) {
  FakeHost::reset(96000);
  TestEffect effect(FakeHost::callback);
  effect.setSampleRate(22050.0f);
  effect.setBlockSize(64);
  EXPECT_EQ(effect.updateSampleRate(), 22050.0f);
  EXPECT_EQ(effect.updateBlockSize(), 64);
  EXPECT_EQ(effect.getSampleRate(), 22050.0f);
  EXPECT_EQ(effect.getBlockSize(), 64);
}

// Notes how many host requests had been sent when the parameter was set.
class AutomatedEffect : public TestEffect {
public:
  using TestEffect::TestEffect;
  std::vector<std::string> parameterCalls;
  void setParameter(VstInt32 index, float value) override {
    parameterCalls.push_back(std::to_string(index) + "=" + std::to_string(value) + " after " +
                             std::to_string(FakeHost::requests.size()) + " requests");
  }
};

TEST(HostServices, AutomationSetsTheParameterBeforeTellingTheHost) {
  FakeHost::reset();
  AutomatedEffect effect(FakeHost::callback);
  effect.setParameterAutomated(2, 0.5f);
  EXPECT_EQ(effect.parameterCalls, std::vector<std::string>{"2=0.500000 after 0 requests"});
  EXPECT_EQ(FakeHost::requests.size(), 1u);

  FakeHost::reset();
  AutomatedEffect alone(nullptr);
  alone.setParameterAutomated(1, 0.25f);
  EXPECT_EQ(alone.parameterCalls, std::vector<std::string>{"1=0.250000 after 0 requests"});
}

}  // namespace

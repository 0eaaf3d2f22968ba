// The request dispatcher: every opcode reaches its operation with the right
// arguments, and the operation's result comes back converted as hosts expect.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "test_effect.h"

namespace {

char gText[64];      // the ptr of every request
char gOther[8];      // a second pointer: value of request 42, pointers answered
float gDestination;  // the buffer that reportDestinationBuffer answers

constexpr VstInt32 kIntAnswer = -4242;

template <typename T>
std::string argument(T value) {
  if constexpr (std::is_same_v<T, bool>) {
    return value ? "true" : "false";
  } else if constexpr (std::is_floating_point_v<T>) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
  } else if constexpr (std::is_pointer_v<T>) {
    const void* pointer = value;
    if (pointer == nullptr) return "null";
    if (pointer == gText) return "ptr";
    if (pointer == gOther) return "other";
    return "unknown pointer";
  } else {
    return std::to_string(value);
  }
}

// Every operation that the dispatcher may call records its name and
// arguments and answers something that no default answers.
class SpyEffect : public TestEffect {
public:
  std::vector<std::string> calls;
  float vu = 0.0f;
  bool keys = true;

  void open() override { record("open"); }
  void close() override { record("close"); }
  void setProgram(VstInt32 program) override { record("setProgram", program); }
  VstInt32 getProgram() override { return record("getProgram"), kIntAnswer; }
  void setProgramName(char* name) override { record("setProgramName", name); }
  void getProgramName(char* name) override { record("getProgramName", name); }
  void getParameterLabel(VstInt32 index, char* label) override {
    record("getParameterLabel", index, label);
  }
  void getParameterDisplay(VstInt32 index, char* text) override {
    record("getParameterDisplay", index, text);
  }
  void getParameterName(VstInt32 index, char* text) override {
    record("getParameterName", index, text);
  }
  void setParameter(VstInt32 index, float value) override { record("setParameter", index, value); }
  float getParameter(VstInt32 index) override { return record("getParameter", index), 0.0f; }
  float getVu() override { return record("getVu"), vu; }
  VstInt32 getChunk(void** data, bool isPreset) override {
    return record("getChunk", data, isPreset), kIntAnswer;
  }
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override {
    return record("setChunk", data, byteSize, isPreset), kIntAnswer;
  }
  void setSampleRate(float rate) override { record("setSampleRate", rate); }
  void setBlockSize(VstInt32 size) override { record("setBlockSize", size); }
  void suspend() override { record("suspend"); }
  void resume() override { record("resume"); }

  VstInt32 processEvents(VstEvents* events) override {
    return record("processEvents", events), kIntAnswer;
  }
  bool canParameterBeAutomated(VstInt32 index) override {
    return record("canParameterBeAutomated", index), true;
  }
  bool string2parameter(VstInt32 index, char* text) override {
    return record("string2parameter", index, text), true;
  }
  VstInt32 getNumCategories() override { return record("getNumCategories"), kIntAnswer; }
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override {
    return record("getProgramNameIndexed", category, index, text), true;
  }
  bool copyProgram(VstInt32 destination) override {
    return record("copyProgram", destination), true;
  }
  void inputConnected(VstInt32 index, bool state) override {
    record("inputConnected", index, state);
  }
  void outputConnected(VstInt32 index, bool state) override {
    record("outputConnected", index, state);
  }
  bool getInputProperties(VstInt32 index, VstPinProperties* properties) override {
    return record("getInputProperties", index, properties), true;
  }
  bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override {
    return record("getOutputProperties", index, properties), true;
  }
  VstInt32 getPlugCategory() override { return record("getPlugCategory"), kIntAnswer; }
  VstInt32 reportCurrentPosition() override {
    return record("reportCurrentPosition"), kIntAnswer;
  }
  float* reportDestinationBuffer() override {
    return record("reportDestinationBuffer"), &gDestination;
  }
  bool offlineNotify(void* files, VstInt32 count, bool start) override {
    return record("offlineNotify", files, count, start), true;
  }
  bool offlinePrepare(void* offline, VstInt32 count) override {
    return record("offlinePrepare", offline, count), true;
  }
  bool offlineRun(void* offline, VstInt32 count) override {
    return record("offlineRun", offline, count), true;
  }
  bool processVariableIo(void* varIo) override { return record("processVariableIo", varIo), true; }
  bool setSpeakerArrangement(void* input, void* output) override {
    return record("setSpeakerArrangement", input, output), true;
  }
  void setBlockSizeAndSampleRate(VstInt32 size, float rate) override {
    record("setBlockSizeAndSampleRate", size, rate);
  }
  bool setBypass(bool onOff) override { return record("setBypass", onOff), true; }
  bool getEffectName(char* name) override { return record("getEffectName", name), true; }
  bool getErrorText(char* text) override { return record("getErrorText", text), true; }
  bool getVendorString(char* text) override { return record("getVendorString", text), true; }
  bool getProductString(char* text) override { return record("getProductString", text), true; }
  VstInt32 getVendorVersion() override { return record("getVendorVersion"), kIntAnswer; }
  VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override {
    return record("vendorSpecific", index, value, ptr, opt), kIntAnswer;
  }
  VstInt32 canDo(char* text) override { return record("canDo", text), kIntAnswer; }
  VstInt32 getGetTailSize() override { return record("getGetTailSize"), kIntAnswer; }
  VstInt32 fxIdle() override { return record("fxIdle"), kIntAnswer; }
  void* getIcon() override { return record("getIcon"), gOther; }
  bool setViewPosition(VstInt32 x, VstInt32 y) override {
    return record("setViewPosition", x, y), true;
  }
  bool getParameterProperties(VstInt32 index, void* properties) override {
    return record("getParameterProperties", index, properties), true;
  }
  bool keysRequired() override { return record("keysRequired"), keys; }
  VstInt32 getVstVersion() override { return record("getVstVersion"), kIntAnswer; }

  // The instance's own dispatcher, not the record's entry: there effClose
  // would destroy the spy.
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return dispatcher(opcode, index, value, ptr, opt);
  }

private:
  template <typename... Args>
  void record(const char* name, Args... args) {
    const std::vector<std::string> texts{argument(args)...};
    std::string call = std::string(name) + "(";
    for (std::size_t i = 0; i < texts.size(); ++i) call += (i ? ", " : "") + texts[i];
    calls.push_back(call + ")");
  }
};

struct Request {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
  const char* call;
  VstIntPtr answer;
};

// Each request with index 7, value 3, ptr gText and opt 0.25 unless a row
// needs another value to show a conversion.
std::vector<Request> handledRequests() {
  const VstIntPtr other = reinterpret_cast<VstIntPtr>(gOther);
  return {
      {effOpen, 7, 3, gText, 0.25f, "open()", 0},
      {effClose, 7, 3, gText, 0.25f, "close()", 0},
      {effSetProgram, 7, 3, gText, 0.25f, "setProgram(3)", 0},
      {effGetProgram, 7, 3, gText, 0.25f, "getProgram()", kIntAnswer},
      {effSetProgramName, 7, 3, gText, 0.25f, "setProgramName(ptr)", 0},
      {effGetProgramName, 7, 3, gText, 0.25f, "getProgramName(ptr)", 0},
      {effGetParamLabel, 7, 3, gText, 0.25f, "getParameterLabel(7, ptr)", 0},
      {effGetParamDisplay, 7, 3, gText, 0.25f, "getParameterDisplay(7, ptr)", 0},
      {effGetParamName, 7, 3, gText, 0.25f, "getParameterName(7, ptr)", 0},
      {effGetVu, 7, 3, gText, 0.25f, "getVu()", 0},
      {effSetSampleRate, 7, 3, gText, 0.25f, "setSampleRate(0.25)", 0},
      {effSetBlockSize, 7, 3, gText, 0.25f, "setBlockSize(3)", 0},
      {effMainsChanged, 7, 3, gText, 0.25f, "resume()", 0},
      {effMainsChanged, 7, -1, gText, 0.25f, "resume()", 0},
      {effMainsChanged, 7, 0, gText, 0.25f, "suspend()", 0},
      {effGetChunk, 7, 3, gText, 0.25f, "getChunk(ptr, true)", kIntAnswer},
      {effGetChunk, 0, 3, gText, 0.25f, "getChunk(ptr, false)", kIntAnswer},
      {effSetChunk, 7, 3, gText, 0.25f, "setChunk(ptr, 3, true)", kIntAnswer},
      {effSetChunk, 0, 3, gText, 0.25f, "setChunk(ptr, 3, false)", kIntAnswer},
      {effProcessEvents, 7, 3, gText, 0.25f, "processEvents(ptr)", kIntAnswer},
      {effCanBeAutomated, 7, 3, gText, 0.25f, "canParameterBeAutomated(7)", 1},
      {effString2Parameter, 7, 3, gText, 0.25f, "string2parameter(7, ptr)", 1},
      {effGetNumProgramCategories, 7, 3, gText, 0.25f, "getNumCategories()", kIntAnswer},
      {effGetProgramNameIndexed, 7, 3, gText, 0.25f, "getProgramNameIndexed(3, 7, ptr)", 1},
      {effCopyProgram, 7, 3, gText, 0.25f, "copyProgram(7)", 1},
      {effConnectInput, 7, 3, gText, 0.25f, "inputConnected(7, true)", 1},
      {effConnectInput, 7, 0, gText, 0.25f, "inputConnected(7, false)", 1},
      {effConnectOutput, 7, 3, gText, 0.25f, "outputConnected(7, true)", 1},
      {effConnectOutput, 7, 0, gText, 0.25f, "outputConnected(7, false)", 1},
      {effGetInputProperties, 7, 3, gText, 0.25f, "getInputProperties(7, ptr)", 1},
      {effGetOutputProperties, 7, 3, gText, 0.25f, "getOutputProperties(7, ptr)", 1},
      {effGetPlugCategory, 7, 3, gText, 0.25f, "getPlugCategory()", kIntAnswer},
      {effGetCurrentPosition, 7, 3, gText, 0.25f, "reportCurrentPosition()", kIntAnswer},
      {effGetDestinationBuffer, 7, 3, gText, 0.25f, "reportDestinationBuffer()",
       reinterpret_cast<VstIntPtr>(&gDestination)},
      {effOfflineNotify, 7, 3, gText, 0.25f, "offlineNotify(ptr, 3, true)", 1},
      {effOfflineNotify, 0, 3, gText, 0.25f, "offlineNotify(ptr, 3, false)", 1},
      {effOfflinePrepare, 7, 3, gText, 0.25f, "offlinePrepare(ptr, 3)", 1},
      {effOfflineRun, 7, 3, gText, 0.25f, "offlineRun(ptr, 3)", 1},
      {effProcessVarIo, 7, 3, gText, 0.25f, "processVariableIo(ptr)", 1},
      {effSetSpeakerArrangement, 7, other, gText, 0.25f, "setSpeakerArrangement(other, ptr)",
       1},
      {effSetBlockSizeAndSampleRate, 7, 3, gText, 0.25f, "setBlockSizeAndSampleRate(3, 0.25)",
       1},
      {effSetBypass, 7, 3, gText, 0.25f, "setBypass(true)", 1},
      {effSetBypass, 7, 0, gText, 0.25f, "setBypass(false)", 1},
      {effGetEffectName, 7, 3, gText, 0.25f, "getEffectName(ptr)", 1},
      {effGetErrorText, 7, 3, gText, 0.25f, "getErrorText(ptr)", 1},
      {effGetVendorString, 7, 3, gText, 0.25f, "getVendorString(ptr)", 1},
      {effGetProductString, 7, 3, gText, 0.25f, "getProductString(ptr)", 1},
      {effGetVendorVersion, 7, 3, gText, 0.25f, "getVendorVersion()", kIntAnswer},
      {effVendorSpecific, 7, 3, gText, 0.25f, "vendorSpecific(7, 3, ptr, 0.25)", kIntAnswer},
      {effCanDo, 7, 3, gText, 0.25f, "canDo(ptr)", kIntAnswer},
      {effGetTailSize, 7, 3, gText, 0.25f, "getGetTailSize()", kIntAnswer},
      {effIdle, 7, 3, gText, 0.25f, "fxIdle()", kIntAnswer},
      {effGetIcon, 7, 3, gText, 0.25f, "getIcon()", other},
      {effSetViewPosition, 7, 3, gText, 0.25f, "setViewPosition(7, 3)", 1},
      {effGetParameterProperties, 7, 3, gText, 0.25f, "getParameterProperties(7, ptr)", 1},
      {effKeysRequired, 7, 3, gText, 0.25f, "keysRequired()", 0},
      {effGetVstVersion, 7, 3, gText, 0.25f, "getVstVersion()", kIntAnswer},
  };
}

TEST(Dispatcher, EveryRequestReachesItsOperationWithItsArgumentsAndAnswer) {
  for (const Request& request : handledRequests()) {
    SCOPED_TRACE(request.call);
    SpyEffect spy;
    EXPECT_EQ(spy.dispatch(request.opcode, request.index, request.value, request.ptr,
                           request.opt),
              request.answer);
    EXPECT_EQ(spy.calls, std::vector<std::string>{request.call});
  }
}

TEST(Dispatcher, RequestsWithoutAnOperationCallNothingAndAnswerZero) {
  const VstInt32 opcodes[] = {-1,  effEditGetRect, effEditOpen, effEditClose, 16, 17, 18,
                              effEditIdle, 20, 21, 59, 60, 1000, INT_MAX, INT_MIN};
  for (VstInt32 opcode : opcodes) {
    SCOPED_TRACE(opcode);
    SpyEffect spy;
    std::memset(gText, 'x', sizeof gText);
    EXPECT_EQ(spy.dispatch(opcode, 7, 3, gText, 0.25f), 0);
    EXPECT_TRUE(spy.calls.empty());
    EXPECT_EQ(std::string(gText, sizeof gText), std::string(sizeof gText, 'x'));
  }
}

TEST(Dispatcher, IdentifyAnswersNvEfAndCallsNothing) {
  SpyEffect spy;
  EXPECT_EQ(spy.dispatch(effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
  EXPECT_TRUE(spy.calls.empty());
}

TEST(Dispatcher, SetProgramSelectsOnlyNumbersInsideTheBank) {
  struct Case {
    VstIntPtr value;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {0, {"setProgram(0)"}}, {7, {"setProgram(7)"}}, {8, {}}, {1000, {}}, {-1, {}},
      {INT_MIN, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    SpyEffect spy;  // eight programs
    EXPECT_EQ(spy.dispatch(effSetProgram, 0, c.value, nullptr, 0.0f), 0);
    EXPECT_EQ(spy.calls, c.calls);
  }
}

TEST(Dispatcher, VuIsScaledInDoublePrecisionAndTruncatedTowardZero) {
  struct Case {
    float vu;
    VstIntPtr answer;
  };
  const Case cases[] = {
      {0.0f, 0},           {1.0f, 32767},       {0.5f, 16383},   {-0.5f, -16383},
      {2.0f, 65534},       {0x1.20024p-9f, 71},  // 71.99999... in double, 72 in float
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.vu);
    SpyEffect spy;
    spy.vu = c.vu;
    EXPECT_EQ(spy.dispatch(effGetVu, 0, 0, nullptr, 0.0f), c.answer);
  }
}

TEST(Dispatcher, KeysRequiredAnswersTheInverse) {
  SpyEffect spy;
  spy.keys = false;
  EXPECT_EQ(spy.dispatch(effKeysRequired, 0, 0, nullptr, 0.0f), 1);
}

// A host that passes no pointer with a request that reads or writes through
// one gets 0, and the operation is never called.
TEST(Dispatcher, RequestsThatUseThePointerIgnoreANullOne) {
  const VstInt32 opcodes[] = {
      effSetProgramName,     effGetProgramName,      effGetParamLabel,   effGetParamDisplay,
      effGetParamName,       effGetChunk,            effProcessEvents,   effString2Parameter,
      effGetProgramNameIndexed, effGetInputProperties, effGetOutputProperties,
      effGetEffectName,      effGetErrorText,        effGetVendorString, effGetProductString,
      effCanDo,              effGetParameterProperties,
  };
  for (VstInt32 opcode : opcodes) {
    SCOPED_TRACE(opcode);
    SpyEffect spy;
    EXPECT_EQ(spy.dispatch(opcode, 1, 1, nullptr, 0.0f), 0);
    EXPECT_TRUE(spy.calls.empty());
  }
}

}  // namespace

// FeedbackLooper: the instrument. It carries the live parameter values, the
// loop engine and the program bank, and adapts the host's calls to them.
#pragma once

#include "audio_effect_x.h"
#include "loop_engine.h"
#include "looper_program.h"

enum LooperParameter : VstInt32 { kFeedback = 0, kLoopMix = 1, kDryMix = 2, kNumParams = 3 };

constexpr VstInt32 kNumPrograms = 32;

class FeedbackLooper : public AudioEffectX {
public:
  explicit FeedbackLooper(audioMasterCallback audioMaster);
  ~FeedbackLooper() override;

  // True when construction got its program bank and its first loop buffer.
  bool isComplete() const;

  void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  VstInt32 processEvents(VstEvents* events) override;
  void resume() override;
  void inputConnected(VstInt32 index, bool state) override;

  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void getParameterName(VstInt32 index, char* text) override;
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;

  void setProgram(VstInt32 program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  bool copyProgram(VstInt32 destination) override;

  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override;
  bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
  VstInt32 canDo(char* text) override;

  const quarvine::LoopEngine& loopEngine() const { return engine; }

private:
  float feedback = 0.0f;
  float loopMix = 0.0f;
  float dryMix = 0.0f;
  quarvine::LoopEngine engine;
  LooperProgram* programs = nullptr;
  // Set once the host has said that it passes a second input.
  bool secondInputConnected = false;
};

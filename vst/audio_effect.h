// AudioEffect: the base of every plug-in instance. It embeds the effect
// record that the host holds, fills it with its defaults, and turns each call
// through the record into a call of one of its virtual operations.
#pragma once

#include "aeffect.h"

class AudioEffect {
public:
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  virtual ~AudioEffect();
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  virtual void setParameter(VstInt32 index, float value);
  virtual float getParameter(VstInt32 index);
  virtual void setParameterAutomated(VstInt32 index, float value);

  virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames);

  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt);

  virtual void open();
  virtual void close();

  virtual VstInt32 getProgram();
  virtual void setProgram(VstInt32 program);
  virtual void setProgramName(char* name);
  virtual void getProgramName(char* name);
  virtual void getParameterLabel(VstInt32 index, char* label);
  virtual void getParameterDisplay(VstInt32 index, char* text);
  virtual void getParameterName(VstInt32 index, char* text);
  virtual float getVu();
  virtual VstInt32 getChunk(void** data, bool isPreset);
  virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);
  virtual void setSampleRate(float sampleRate);
  virtual void setBlockSize(VstInt32 blockSize);
  virtual void suspend();
  virtual void resume();

  virtual void setUniqueID(VstInt32 uniqueID);
  virtual void setNumInputs(VstInt32 numInputs);
  virtual void setNumOutputs(VstInt32 numOutputs);
  virtual void hasVu(bool state);
  virtual void hasClip(bool state);
  virtual void canMono(bool state);
  virtual void canProcessReplacing(bool state);
  virtual void programsAreChunks(bool state);
  virtual void setRealtimeQualities(VstInt32 qualities);
  virtual void setOfflineQualities(VstInt32 qualities);
  virtual void setInitialDelay(VstInt32 delay);

  virtual float getSampleRate();
  virtual VstInt32 getBlockSize();

  virtual VstInt32 getMasterVersion();
  virtual VstInt32 getCurrentUniqueId();
  virtual void masterIdle();
  virtual bool isInputConnected(VstInt32 input);
  virtual bool isOutputConnected(VstInt32 output);

  virtual void dB2string(float value, char* text);
  virtual void Hz2string(float samples, char* text);
  virtual void ms2string(float samples, char* text);
  virtual void float2string(float value, char* text);
  virtual void long2string(VstInt32 value, char* text);

  // The record handed to the host; valid as long as the instance lives.
  AEffect* getAeffect() { return &effectRecord; }

protected:
  // Sets or clears one bit of the record's flags, leaving the others alone.
  void setFlag(VstInt32 flag, bool state);
  // Calls the host with this instance's record; answers 0, calling nothing,
  // when there is no host callback.
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                     void* ptr = nullptr, float opt = 0.0f);

  float sampleRate;
  audioMasterCallback audioMaster;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram;
  VstInt32 blockSize;
  AEffect effectRecord;
};

#include "audio_effect.h"

#include <cstring>

namespace {

constexpr VstInt32 kDefaultUniqueId = fourCharCode('N', 'o', 'E', 'f');

AudioEffect* instanceOf(AEffect* effect) { return static_cast<AudioEffect*>(effect->object); }

VstIntPtr dispatchEntry(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                        void* ptr, float opt) {
  AudioEffect* instance = instanceOf(effect);
  if (opcode == effClose) {
    // Closing ends the instance: after the dispatcher has seen the request,
    // the instance is destroyed and the host holds a dangling record.
    instance->dispatcher(opcode, index, value, ptr, opt);
    delete instance;
    return 1;
  }
  return instance->dispatcher(opcode, index, value, ptr, opt);
}

void processEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames) {
  instanceOf(effect)->process(inputs, outputs, sampleFrames);
}

void processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                           VstInt32 sampleFrames) {
  instanceOf(effect)->processReplacing(inputs, outputs, sampleFrames);
}

void setParameterEntry(AEffect* effect, VstInt32 index, float value) {
  instanceOf(effect)->setParameter(index, value);
}

float getParameterEntry(AEffect* effect, VstInt32 index) {
  return instanceOf(effect)->getParameter(index);
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms,
                         VstInt32 numParams)
    : sampleRate(44100.0f),
      audioMaster(audioMaster),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0),
      blockSize(1024) {
  std::memset(&effectRecord, 0, sizeof effectRecord);
  effectRecord.magic = kEffectMagic;
  effectRecord.dispatcher = dispatchEntry;
  effectRecord.process = processEntry;
  effectRecord.setParameter = setParameterEntry;
  effectRecord.getParameter = getParameterEntry;
  effectRecord.numPrograms = numPrograms;
  effectRecord.numParams = numParams;
  effectRecord.numInputs = 1;
  effectRecord.numOutputs = 2;
  effectRecord.ioRatio = 1.0f;
  effectRecord.object = this;
  effectRecord.uniqueID = kDefaultUniqueId;
  effectRecord.version = 1;
  effectRecord.processReplacing = processReplacingEntry;
}

AudioEffect::~AudioEffect() = default;

void AudioEffect::setParameter(VstInt32, float) {}

float AudioEffect::getParameter(VstInt32) { return 0.0f; }

void AudioEffect::processReplacing(float**, float**, VstInt32) {}

void AudioEffect::open() {}

void AudioEffect::close() {}

VstInt32 AudioEffect::getProgram() { return curProgram; }

void AudioEffect::setProgram(VstInt32 program) { curProgram = program; }

// The base has no names or texts: each leaves an empty text.
void AudioEffect::setProgramName(char* name) { name[0] = 0; }

void AudioEffect::getProgramName(char* name) { name[0] = 0; }

void AudioEffect::getParameterLabel(VstInt32, char* label) { label[0] = 0; }

void AudioEffect::getParameterDisplay(VstInt32, char* text) { text[0] = 0; }

void AudioEffect::getParameterName(VstInt32, char* text) { text[0] = 0; }

float AudioEffect::getVu() { return 0.0f; }

VstInt32 AudioEffect::getChunk(void**, bool) { return 0; }

VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }

void AudioEffect::setSampleRate(float newSampleRate) { sampleRate = newSampleRate; }

void AudioEffect::setBlockSize(VstInt32 newBlockSize) { blockSize = newBlockSize; }

void AudioEffect::suspend() {}

void AudioEffect::resume() {}

void AudioEffect::setUniqueID(VstInt32 uniqueID) { effectRecord.uniqueID = uniqueID; }

void AudioEffect::setNumInputs(VstInt32 numInputs) { effectRecord.numInputs = numInputs; }

void AudioEffect::setNumOutputs(VstInt32 numOutputs) { effectRecord.numOutputs = numOutputs; }

void AudioEffect::setFlag(VstInt32 flag, bool state) {
  if (state)
    effectRecord.flags |= flag;
  else
    effectRecord.flags &= ~flag;
}

void AudioEffect::hasVu(bool state) { setFlag(effFlagsHasVu, state); }

void AudioEffect::hasClip(bool state) { setFlag(effFlagsHasClip, state); }

void AudioEffect::canMono(bool state) { setFlag(effFlagsCanMono, state); }

void AudioEffect::canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }

void AudioEffect::programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }

void AudioEffect::setRealtimeQualities(VstInt32 qualities) {
  effectRecord.realQualities = qualities;
}

void AudioEffect::setOfflineQualities(VstInt32 qualities) {
  effectRecord.offQualities = qualities;
}

void AudioEffect::setInitialDelay(VstInt32 delay) { effectRecord.initialDelay = delay; }

float AudioEffect::getSampleRate() { return sampleRate; }

VstInt32 AudioEffect::getBlockSize() { return blockSize; }

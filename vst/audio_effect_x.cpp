#include "audio_effect_x.h"

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms,
                           VstInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams) {}

AudioEffectX::~AudioEffectX() = default;

// Defaults of the hooks that the host's requests 25 to 58 reach.

VstInt32 AudioEffectX::processEvents(VstEvents*) { return 0; }

bool AudioEffectX::canParameterBeAutomated(VstInt32) { return true; }

bool AudioEffectX::string2parameter(VstInt32, char*) { return false; }

float AudioEffectX::getChannelParameter(VstInt32, VstInt32) { return 0.0f; }

VstInt32 AudioEffectX::getNumCategories() { return 1; }

bool AudioEffectX::getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }

bool AudioEffectX::copyProgram(VstInt32) { return false; }

void AudioEffectX::inputConnected(VstInt32, bool) {}

void AudioEffectX::outputConnected(VstInt32, bool) {}

bool AudioEffectX::getInputProperties(VstInt32, VstPinProperties*) { return false; }

bool AudioEffectX::getOutputProperties(VstInt32, VstPinProperties*) { return false; }

VstInt32 AudioEffectX::getPlugCategory() {
  return (effectRecord.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

VstInt32 AudioEffectX::reportCurrentPosition() { return 0; }

float* AudioEffectX::reportDestinationBuffer() { return nullptr; }

bool AudioEffectX::offlineNotify(void*, VstInt32, bool) { return false; }

bool AudioEffectX::offlinePrepare(void*, VstInt32) { return false; }

bool AudioEffectX::offlineRun(void*, VstInt32) { return false; }

VstInt32 AudioEffectX::offlineGetNumPasses() { return 0; }

VstInt32 AudioEffectX::offlineGetNumMetaPasses() { return 0; }

bool AudioEffectX::processVariableIo(void*) { return false; }

bool AudioEffectX::setSpeakerArrangement(void*, void*) { return false; }

// Stores both values directly: a host's combined notice does not run the
// instrument's own setBlockSize or setSampleRate.
void AudioEffectX::setBlockSizeAndSampleRate(VstInt32 newBlockSize, float newSampleRate) {
  blockSize = newBlockSize;
  sampleRate = newSampleRate;
}

bool AudioEffectX::setBypass(bool) { return false; }

bool AudioEffectX::getEffectName(char*) { return false; }

bool AudioEffectX::getErrorText(char*) { return false; }

bool AudioEffectX::getVendorString(char*) { return false; }

bool AudioEffectX::getProductString(char*) { return false; }

VstInt32 AudioEffectX::getVendorVersion() { return 0; }

VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }

VstInt32 AudioEffectX::canDo(char*) { return 0; }

void* AudioEffectX::getIcon() { return nullptr; }

bool AudioEffectX::setViewPosition(VstInt32, VstInt32) { return false; }

VstInt32 AudioEffectX::getGetTailSize() { return 0; }

VstInt32 AudioEffectX::fxIdle() { return 0; }

bool AudioEffectX::getParameterProperties(VstInt32, void*) { return false; }

bool AudioEffectX::keysRequired() { return false; }

VstInt32 AudioEffectX::getVstVersion() { return 2; }

// Flag setters of the extended base.

void AudioEffectX::wantAsyncOperation(bool state) { setFlag(effFlagsExtIsAsync, state); }

void AudioEffectX::hasExternalBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }

void AudioEffectX::isSynth(bool state) { setFlag(effFlagsIsSynth, state); }

void AudioEffectX::noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }

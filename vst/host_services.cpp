// Calls back to the host. Every service passes this instance's record. Without
// a host callback nothing is called and each service reads the answer as 0,
// which gives exactly the answers a plug-in without a host must get.
#include "audio_effect_x.h"

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
  return audioMaster ? audioMaster(&effectRecord, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  setParameter(index, value);
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

// A host that does not say its version is taken to be version 1.
VstInt32 AudioEffect::getMasterVersion() {
  VstInt32 version = static_cast<VstInt32>(callHost(audioMasterVersion));
  return version ? version : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() {
  return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() {
  callHost(audioMasterIdle);
}

// The host answers 0 for a connected pin.
bool AudioEffect::isInputConnected(VstInt32 input) {
  return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
  return callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffectX::wantEvents(VstInt32 filter) {
  callHost(audioMasterWantMidi, 0, filter);
}

void* AudioEffectX::getTimeInfo(VstInt32 filter) {
  return reinterpret_cast<void*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::tempoAt(VstInt32 pos) {
  return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, pos));
}

VstInt32 AudioEffectX::getNumAutomatableParameters() {
  return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization() {
  return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }

bool AudioEffectX::needIdle() { return callHost(audioMasterNeedIdle) != 0; }

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}

// The host is asked, but the instance keeps the rate and size it was told.
float AudioEffectX::updateSampleRate() {
  callHost(audioMasterGetSampleRate);
  return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize() {
  callHost(audioMasterGetBlockSize);
  return blockSize;
}

VstInt32 AudioEffectX::getInputLatency() {
  return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency() {
  return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

// The pin number is not passed on: the host answers for the whole plug-in.
AEffect* AudioEffectX::getPreviousPlug(VstInt32) {
  return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::getNextPlug(VstInt32) {
  return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}

VstInt32 AudioEffectX::willProcessReplacing() {
  return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}

VstInt32 AudioEffectX::getCurrentProcessLevel() {
  return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState() {
  return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::offlineStart(void* audioFiles, VstInt32 numAudioFiles,
                                VstInt32 numNewAudioFiles) {
  return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}

bool AudioEffectX::offlineRead(void* offline, VstInt32 option, bool readSource) {
  return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite(void* offline, VstInt32 option) {
  return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass() {
  return callHost(audioMasterOfflineGetCurrentPass) != 0 ? 1 : 0;
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass() {
  return callHost(audioMasterOfflineGetCurrentMetaPass) != 0 ? 1 : 0;
}

void AudioEffectX::setOutputSamplerate(float samplerate) {
  callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}

bool AudioEffectX::getSpeakerArrangement(void* pluginInput, void* pluginOutput) {
  return callHost(audioMasterGetSpeakerArrangement, 0,
                                 reinterpret_cast<VstIntPtr>(pluginInput), pluginOutput) != 0;
}

bool AudioEffectX::getHostVendorString(char* text) {
  return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text) {
  return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion() {
  return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 first, VstIntPtr second, void* ptr,
                                           float opt) {
  return callHost(audioMasterVendorSpecific, first, second, ptr, opt);
}

// The host's answer is passed on as it is (1 yes, -1 no, 0 unknown), so that a
// host's "no" never reads as yes.
VstInt32 AudioEffectX::canHostDo(char* text) {
  return static_cast<VstInt32>(callHost(audioMasterCanDo, 0, 0, text));
}

VstInt32 AudioEffectX::getHostLanguage() {
  return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::openWindow(void* window) {
  return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(void* window) {
  return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* AudioEffectX::getDirectory() {
  return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool AudioEffectX::updateDisplay() {
  return callHost(audioMasterUpdateDisplay) != 0;
}

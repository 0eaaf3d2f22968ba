// The two layers of the request dispatcher: AudioEffect answers the requests
// 0 to 24, AudioEffectX the requests 25 to 58 and passes every other one down.
#include "audio_effect_x.h"

namespace {

constexpr VstInt32 kIdentifyAnswer = fourCharCode('N', 'v', 'E', 'f');

// Requests that read or write a text or record through ptr. A host that
// passes no pointer with one of them gets 0, and nothing is read or written.
bool needsPointer(VstInt32 opcode) {
  switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetChunk:
    case effProcessEvents:
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo:
    case effGetParameterProperties:
      return true;
    default:
      return false;
  }
}

}  // namespace

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
  if (ptr == nullptr && needsPointer(opcode)) return 0;
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      // Only numbers of existing programs select one; a negative number is
      // ignored like one past the bank.
      if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      setProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetProgramName:
      getProgramName(static_cast<char*>(ptr));
      return 0;
    case effGetParamLabel:
      getParameterLabel(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamDisplay:
      getParameterDisplay(index, static_cast<char*>(ptr));
      return 0;
    case effGetParamName:
      getParameterName(index, static_cast<char*>(ptr));
      return 0;
    case effGetVu:
      return static_cast<VstIntPtr>(static_cast<double>(getVu()) * 32767.0);
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<VstInt32>(value));
      return 0;
    case effMainsChanged:
      if (value)
        resume();
      else
        suspend();
      return 0;
    case effIdentify:
      return kIdentifyAnswer;
    case effGetChunk:
      return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
      // No editor (13 to 21) and every unknown request: nothing to do.
      return 0;
  }
}

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
  if (opcode < effProcessEvents || opcode > effGetVstVersion)
    return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  if (ptr == nullptr && needsPointer(opcode)) return 0;
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return canParameterBeAutomated(index);
    case effString2Parameter:
      return string2parameter(index, static_cast<char*>(ptr));
    case effGetNumProgramCategories:
      return getNumCategories();
    case effGetProgramNameIndexed:
      return getProgramNameIndexed(static_cast<VstInt32>(value), index, static_cast<char*>(ptr));
    case effCopyProgram:
      return copyProgram(index);
    case effConnectInput:
      inputConnected(index, value != 0);
      return 1;
    case effConnectOutput:
      outputConnected(index, value != 0);
      return 1;
    case effGetInputProperties:
      return getInputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetOutputProperties:
      return getOutputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory:
      return getPlugCategory();
    case effGetCurrentPosition:
      return reportCurrentPosition();
    case effGetDestinationBuffer:
      return reinterpret_cast<VstIntPtr>(reportDestinationBuffer());
    case effOfflineNotify:
      return offlineNotify(ptr, static_cast<VstInt32>(value), index != 0);
    case effOfflinePrepare:
      return offlinePrepare(ptr, static_cast<VstInt32>(value));
    case effOfflineRun:
      return offlineRun(ptr, static_cast<VstInt32>(value));
    case effProcessVarIo:
      return processVariableIo(ptr);
    case effSetSpeakerArrangement:
      return setSpeakerArrangement(reinterpret_cast<void*>(value), ptr);
    case effSetBlockSizeAndSampleRate:
      setBlockSizeAndSampleRate(static_cast<VstInt32>(value), opt);
      return 1;
    case effSetBypass:
      return setBypass(value != 0);
    case effGetEffectName:
      return getEffectName(static_cast<char*>(ptr));
    case effGetErrorText:
      return getErrorText(static_cast<char*>(ptr));
    case effGetVendorString:
      return getVendorString(static_cast<char*>(ptr));
    case effGetProductString:
      return getProductString(static_cast<char*>(ptr));
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return canDo(static_cast<char*>(ptr));
    case effGetTailSize:
      return getGetTailSize();
    case effIdle:
      return fxIdle();
    case effGetIcon:
      return reinterpret_cast<VstIntPtr>(getIcon());
    case effSetViewPosition:
      return setViewPosition(index, static_cast<VstInt32>(value));
    case effGetParameterProperties:
      return getParameterProperties(index, ptr);
    case effKeysRequired:
      return keysRequired() ? 0 : 1;
    case effGetVstVersion:
      return getVstVersion();
  }
  return 0;
}

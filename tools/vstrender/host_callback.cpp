#include "host_callback.h"

#include <cstring>

namespace vstrender {
namespace {

constexpr size_t kVendorTextSize = 64;

thread_local HostState* pendingHost = nullptr;

const HostState* stateFor(const AEffect* effect) {
  if (effect != nullptr && effect->user != nullptr)
    return static_cast<const HostState*>(effect->user);
  return pendingHost;
}

VstIntPtr copyText(void* ptr, const char* text) {
  if (ptr == nullptr) return 0;
  std::strncpy(static_cast<char*>(ptr), text, kVendorTextSize - 1);
  static_cast<char*>(ptr)[kVendorTextSize - 1] = '\0';
  return 1;
}

}  // namespace

VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
  const HostState* state = stateFor(effect);
  switch (opcode) {
    case audioMasterVersion:
      return kHostVstVersion;
    case audioMasterGetSampleRate:
      return state ? static_cast<VstIntPtr>(state->sampleRate) : 0;
    case audioMasterGetBlockSize:
      return state ? state->blockSize : 0;
    case audioMasterGetVendorString:
      return copyText(ptr, kHostVendor);
    case audioMasterGetProductString:
      return copyText(ptr, kHostProduct);
    case audioMasterGetVendorVersion:
      return kHostVendorVersion;
    case audioMasterWantMidi:
      return 1;
    case audioMasterCanDo: {
      const char* word = static_cast<const char*>(ptr);
      if (word == nullptr) return 0;
      return std::strcmp(word, "sendVstEvents") == 0 || std::strcmp(word, "sendVstMidiEvent") == 0;
    }
    default:
      return 0;
  }
}

ScopedPendingHost::ScopedPendingHost(HostState* state) : previous_(pendingHost) {
  pendingHost = state;
}

ScopedPendingHost::~ScopedPendingHost() { pendingHost = previous_; }

}  // namespace vstrender

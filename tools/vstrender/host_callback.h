// What vstrender tells a plug-in about itself when the plug-in calls back.
#pragma once

#include "aeffect.h"

namespace vstrender {

struct HostState {
  float sampleRate = 44100.0f;
  int blockSize = 512;
};

constexpr VstIntPtr kHostVstVersion = 2400;
constexpr const char* kHostVendor = "Quarvine";
constexpr const char* kHostProduct = "vstrender";
constexpr VstIntPtr kHostVendorVersion = 1;

// The callback finds its HostState through the record's user field, which
// the record reserves for the host; before the entry point has returned a
// record it uses the state given to ScopedPendingHost.
VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt);

// Makes `state` the answer for callbacks without a record while it lives.
class ScopedPendingHost {
 public:
  explicit ScopedPendingHost(HostState* state);
  ~ScopedPendingHost();
  ScopedPendingHost(const ScopedPendingHost&) = delete;
  ScopedPendingHost& operator=(const ScopedPendingHost&) = delete;

 private:
  HostState* previous_;
};

}  // namespace vstrender

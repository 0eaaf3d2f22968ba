// A stand-in for the host's callback: it records every request that an
// instance sends and gives one fixed answer to all of them.
#pragma once

#include <vector>

#include "aeffect.h"

struct HostRequest {
  AEffect* effect;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
};

// The callback is a plain function, so what it records lives in one place for
// the whole test program; every test starts it afresh with reset().
struct FakeHost {
  static inline std::vector<HostRequest> requests;
  static inline VstIntPtr answer = 0;

  static void reset(VstIntPtr newAnswer = 0) {
    requests.clear();
    answer = newAnswer;
  }

  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt) {
    requests.push_back({effect, opcode, index, value, ptr, opt});
    return answer;
  }
};

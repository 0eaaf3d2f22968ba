#pragma once

#include <cstddef>

// One program of the bank: the three parameter values and a name.
struct LooperProgram {
  static constexpr std::size_t kNameSize = 24;  // 23 characters and the zero

  float feedback = 0.95f;
  float loopMix = 1.0f;
  float dryMix = 0.0f;
  char name[kNameSize] = "Basic";
};

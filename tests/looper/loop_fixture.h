// Helpers shared by the loop engine tests: installing a small loop as the
// engine would hold it, and reading the engine's state bit for bit.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <tuple>
#include <vector>

#include "loop_engine.h"

namespace quarvine::test {

// Replaces the engine's loop with `floats`, allocated with new[] as the
// engine allocates its own, and sets the channels and positions.
inline void installLoop(LoopEngine& engine, const std::vector<float>& floats,
                        int32_t channels = 1, int32_t playPos = 0, int32_t markPos = 0) {
  delete[] engine.loopBuffer;
  engine.loopBuffer = new float[floats.size()];
  std::copy(floats.begin(), floats.end(), engine.loopBuffer);
  engine.loopLength = static_cast<int32_t>(floats.size());
  engine.numChannels = channels;
  engine.playPos = playPos;
  engine.markPos = markPos;
}

inline std::vector<float> loopContents(const LoopEngine& engine) {
  return {engine.loopBuffer, engine.loopBuffer + engine.loopLength};
}

inline uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline std::vector<uint32_t> bitsOf(const std::vector<float>& values) {
  std::vector<uint32_t> bits;
  for (float value : values) {
    bits.push_back(bitsOf(value));
  }
  return bits;
}

// Everything the engine holds, with floats as bits so that equality is exact.
struct EngineState {
  const float* buffer;
  std::vector<uint32_t> loopBits;
  uint32_t inputGainBits;
  int32_t playPos;
  int32_t markPos;
  int32_t loopLength;
  bool recording;
  bool reverse;
  bool octaveDown;
  int32_t numChannels;

  auto fields() const {
    return std::tie(buffer, loopBits, inputGainBits, playPos, markPos, loopLength, recording,
                    reverse, octaveDown, numChannels);
  }
  friend bool operator==(const EngineState& a, const EngineState& b) {
    return a.fields() == b.fields();
  }
  friend void PrintTo(const EngineState& s, std::ostream* os) {
    *os << "{length " << s.loopLength << ", playPos " << s.playPos << ", markPos " << s.markPos
        << ", recording " << s.recording << ", reverse " << s.reverse << ", octaveDown "
        << s.octaveDown << ", channels " << s.numChannels << ", gain bits " << s.inputGainBits
        << "}";
  }
};

inline EngineState stateOf(const LoopEngine& engine) {
  return {engine.loopBuffer,      bitsOf(loopContents(engine)), bitsOf(engine.inputGain),
          engine.playPos,         engine.markPos,               engine.loopLength,
          engine.recording,       engine.reverse,               engine.octaveDown,
          engine.numChannels};
}

}  // namespace quarvine::test

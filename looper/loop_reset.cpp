// The two commands that start the loop afresh: clearing it, and giving it a
// new length in seconds.
#include "loop_engine.h"

#include <algorithm>

namespace quarvine {

void LoopEngine::clearLoop() {
  std::fill(loopBuffer, loopBuffer + loopLength, 0.0f);
  reverse = false;
  // The length stays, so the next octave switch doubles it once more.
  octaveDown = false;
}

void LoopEngine::setLoopSeconds(int8_t value) {
  // A byte from 128 to 255 reads as negative and would give a negative
  // length: ignored.
  if (value < 0) {
    return;
  }
  const int32_t seconds = value == 0 ? kDefaultLoopSeconds : value;
  // numChannels is that of the latest block, one before the first.
  const int32_t length = std::min(numChannels * seconds * kLoopSampleRate,
                                  numChannels * kMaxLoopFrames);
  float* buffer = allocateSilentLoop(length);
  // Without a new buffer the command is refused and the old loop plays on.
  if (buffer == nullptr) {
    return;
  }
  replaceLoop(buffer, length);
  reverse = false;
  octaveDown = false;
  playPos = 0;
  markPos = 0;
}

}  // namespace quarvine

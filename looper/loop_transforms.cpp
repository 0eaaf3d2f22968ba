// The five rewrites of the loop's contents. Each fills every float of a new
// buffer from the old one, installs it and carries the positions over; a
// refused rewrite changes nothing.
#include "loop_engine.h"

#include <algorithm>
#include <cstddef>

namespace quarvine {
namespace {

// Halving drops the remainder. On an odd loop the last float's half would
// be the new length itself, so such a position is held on the new last float.
int32_t halvePosition(int32_t position, int32_t newLength) {
  return std::min(position / 2, newLength - 1);
}

// A fold keeps positions that lie in the first half and halves the others.
int32_t foldPosition(int32_t position, int32_t newLength) {
  return position < newLength ? position : halvePosition(position, newLength);
}

}  // namespace

void LoopEngine::toggleOctaveDown() {
  // A refused switch keeps octaveDown too, so the next note tries the same
  // direction again.
  if (octaveDown ? halveFrames() : doubleFrames()) {
    octaveDown = !octaveDown;
  }
}

bool LoopEngine::doubleFrames() {
  // No capacity limit here, only what int32_t and memory allow.
  const int64_t newLength = 2 * static_cast<int64_t>(loopLength);
  float* buffer = allocateLoopToFill(newLength);
  if (buffer == nullptr) {
    return false;
  }
  const float* const old = loopBuffer;
  const std::size_t oldLength = static_cast<std::size_t>(loopLength);
  if (numChannels == 1) {
    for (std::size_t i = 0; i < oldLength; ++i) {
      buffer[2 * i] = old[i];
      buffer[2 * i + 1] = old[i];
    }
  } else {
    const std::size_t frames = oldLength / 2;
    for (std::size_t f = 0; f < frames; ++f) {
      buffer[4 * f] = old[2 * f];
      buffer[4 * f + 1] = old[2 * f + 1];
      buffer[4 * f + 2] = old[2 * f];
      buffer[4 * f + 3] = old[2 * f + 1];
    }
    // With an odd length the last old frame lacks its right float: the new
    // frame takes the left one and 0, and has no room for a second copy.
    if (oldLength % 2 != 0) {
      buffer[2 * oldLength - 2] = old[oldLength - 1];
      buffer[2 * oldLength - 1] = 0.0f;
    }
  }
  replaceLoop(buffer, static_cast<int32_t>(newLength));
  playPos *= 2;
  markPos *= 2;
  return true;
}

bool LoopEngine::halveFrames() {
  // A loop of one float would become empty: refused.
  if (loopLength < 2) {
    return false;
  }
  const int32_t newLength = loopLength / 2;
  float* buffer = allocateLoopToFill(newLength);
  if (buffer == nullptr) {
    return false;
  }
  // Every second frame is dropped.
  const float* const old = loopBuffer;
  const std::size_t length = static_cast<std::size_t>(newLength);
  if (numChannels == 1) {
    for (std::size_t i = 0; i < length; ++i) {
      buffer[i] = old[2 * i];
    }
  } else {
    const std::size_t frames = length / 2;
    for (std::size_t f = 0; f < frames; ++f) {
      buffer[2 * f] = old[4 * f];
      buffer[2 * f + 1] = old[4 * f + 1];
    }
    // An incomplete last new frame takes only its left float, which lies
    // inside the old loop.
    if (length % 2 != 0) {
      buffer[length - 1] = old[2 * (length - 1)];
    }
  }
  replaceLoop(buffer, newLength);
  playPos = halvePosition(playPos, newLength);
  markPos = halvePosition(markPos, newLength);
  return true;
}

void LoopEngine::foldLoop() {
  // A loop of one float would become empty: refused.
  if (loopLength < 2) {
    return;
  }
  const int32_t newLength = loopLength / 2;
  float* buffer = allocateLoopToFill(newLength);
  if (buffer == nullptr) {
    return;
  }
  // Split at float index newLength whatever the channels; an odd loop's last
  // float is dropped.
  for (int32_t i = 0; i < newLength; ++i) {
    buffer[i] = loopBuffer[i] + loopBuffer[newLength + i];
  }
  replaceLoop(buffer, newLength);
  // A mark in the dropped half is brought inside the way playPos is.
  playPos = foldPosition(playPos, newLength);
  markPos = foldPosition(markPos, newLength);
}

float* LoopEngine::allocateDoubledLoop() const {
  // Duplicate and mirror may fill the capacity exactly, never exceed it.
  const int64_t newLength = 2 * static_cast<int64_t>(loopLength);
  if (newLength > static_cast<int64_t>(numChannels) * kMaxLoopFrames) {
    return nullptr;
  }
  return allocateLoopToFill(newLength);
}

void LoopEngine::duplicateLoop() {
  float* buffer = allocateDoubledLoop();
  if (buffer == nullptr) {
    return;
  }
  std::copy(loopBuffer, loopBuffer + loopLength, buffer);
  std::copy(loopBuffer, loopBuffer + loopLength, buffer + loopLength);
  replaceLoop(buffer, 2 * loopLength);
}

void LoopEngine::mirrorLoop() {
  float* buffer = allocateDoubledLoop();
  if (buffer == nullptr) {
    return;
  }
  // Float by float: in stereo the mirrored frames also swap left and right.
  std::copy(loopBuffer, loopBuffer + loopLength, buffer);
  std::reverse_copy(loopBuffer, loopBuffer + loopLength, buffer + loopLength);
  replaceLoop(buffer, 2 * loopLength);
}

void LoopEngine::reverseMixLoop() {
  float* buffer = allocateLoopToFill(loopLength);
  if (buffer == nullptr) {
    return;
  }
  // Each mirrored pair of old floats is read once for the two sums that
  // use it, so the old loop is read once rather than twice.
  const float* const old = loopBuffer;
  const std::size_t length = static_cast<std::size_t>(loopLength);
  const std::size_t half = length / 2;
  for (std::size_t i = 0; i < half; ++i) {
    const std::size_t mirrored = length - 1 - i;
    buffer[i] = old[i] + old[mirrored];
    buffer[mirrored] = old[mirrored] + old[i];
  }
  if (length % 2 != 0) {
    buffer[half] = old[half] + old[half];
  }
  replaceLoop(buffer, loopLength);
}

}  // namespace quarvine

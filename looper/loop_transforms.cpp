// The five rewrites of the loop's contents. Each builds a new zero-filled
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

// Duplicate and mirror may fill the capacity exactly, never exceed it.
bool withinCapacity(int64_t length, int32_t channels) {
  return length <= static_cast<int64_t>(channels) * kMaxLoopFrames;
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
  float* buffer = allocateLoop(newLength);
  if (buffer == nullptr) {
    return false;
  }
  const std::size_t channels = static_cast<std::size_t>(numChannels);
  const std::size_t oldLength = static_cast<std::size_t>(loopLength);
  const std::size_t length = static_cast<std::size_t>(newLength);
  for (std::size_t from = 0; from < oldLength; ++from) {
    const std::size_t frame = from / channels;
    const std::size_t channel = from % channels;
    const std::size_t first = 2 * frame * channels + channel;
    buffer[first] = loopBuffer[from];
    // In stereo with an odd length the last old frame lacks its right float:
    // that float stays 0 in the new buffer, and the second copy of the left
    // one would lie past its end, so it is not written.
    if (first + channels < length) {
      buffer[first + channels] = loopBuffer[from];
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
  float* buffer = allocateLoop(newLength);
  if (buffer == nullptr) {
    return false;
  }
  const std::size_t channels = static_cast<std::size_t>(numChannels);
  const std::size_t length = static_cast<std::size_t>(newLength);
  // Every second frame is dropped. An incomplete last new frame takes only
  // its left float; every source float lies inside the old loop.
  for (std::size_t to = 0; to < length; ++to) {
    const std::size_t frame = to / channels;
    const std::size_t channel = to % channels;
    buffer[to] = loopBuffer[2 * frame * channels + channel];
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
  float* buffer = allocateLoop(newLength);
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

void LoopEngine::duplicateLoop() {
  const int64_t newLength = 2 * static_cast<int64_t>(loopLength);
  if (!withinCapacity(newLength, numChannels)) {
    return;
  }
  float* buffer = allocateLoop(newLength);
  if (buffer == nullptr) {
    return;
  }
  std::copy(loopBuffer, loopBuffer + loopLength, buffer);
  std::copy(loopBuffer, loopBuffer + loopLength, buffer + loopLength);
  replaceLoop(buffer, static_cast<int32_t>(newLength));
}

void LoopEngine::mirrorLoop() {
  const int64_t newLength = 2 * static_cast<int64_t>(loopLength);
  if (!withinCapacity(newLength, numChannels)) {
    return;
  }
  float* buffer = allocateLoop(newLength);
  if (buffer == nullptr) {
    return;
  }
  // Float by float: in stereo the mirrored frames also swap left and right.
  std::copy(loopBuffer, loopBuffer + loopLength, buffer);
  std::reverse_copy(loopBuffer, loopBuffer + loopLength, buffer + loopLength);
  replaceLoop(buffer, static_cast<int32_t>(newLength));
}

void LoopEngine::reverseMixLoop() {
  float* buffer = allocateLoop(loopLength);
  if (buffer == nullptr) {
    return;
  }
  for (int32_t i = 0; i < loopLength; ++i) {
    buffer[i] = loopBuffer[i] + loopBuffer[loopLength - 1 - i];
  }
  replaceLoop(buffer, loopLength);
}

}  // namespace quarvine

// One MIDI channel message at a time from the start of the render.
#pragma once

#include <array>
#include <cstdint>

namespace vstrender {

struct TimedMidiEvent {
  double seconds = 0.0;
  std::array<uint8_t, 3> bytes{};  // status and up to two data bytes
  int size = 0;                    // bytes used: 2 or 3
};

// Data bytes that follow a channel message's status byte.
inline int midiDataBytes(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

}  // namespace vstrender

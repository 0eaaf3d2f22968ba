// Standard MIDI Files, format 0 and 1: the channel messages of all tracks,
// merged in time order, with their times in seconds from the tempo map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "midi_event.h"

namespace vstrender {

struct MidiFileContents {
  int format = 0;
  int trackCount = 0;
  // Sorted by time; events at the same time keep track order, then file order.
  std::vector<TimedMidiEvent> events;
};

// Throws std::runtime_error with a one-line description of the first fault.
MidiFileContents parseMidiFile(const std::vector<uint8_t>& bytes);

// Reads and parses a file; throws UserError naming the file.
MidiFileContents readMidiFile(const std::string& path);

}  // namespace vstrender

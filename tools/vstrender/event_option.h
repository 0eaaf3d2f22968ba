// MIDI events given on the command line as TIME:MESSAGE[@CHANNEL]:
//   2s:cc64=127     controller 64 to 127
//   4.5s:note84     note-on 84, velocity 100 (note84=VEL sets the velocity)
//   5s:off84        note-off 84
//   1s:pc3          program change 3
//   1s:bend=8192    pitch bend, 0 to 16383 (8192 is the centre)
// CHANNEL is 1 to 16, channel 1 when left out. TIME as for parseTime.
#pragma once

#include <string>

#include "midi_event.h"

namespace vstrender {

// Throws UserError naming the option and the fault.
TimedMidiEvent parseEventOption(const std::string& text);

}  // namespace vstrender

// The MIDI control map: the sustain pedal records, controller 127 sets the
// loop's length, and nine note numbers are commands on the loop.
#include "loop_engine.h"
#include "midi_map.h"

namespace quarvine {

using namespace midi;

void LoopEngine::handleMidiMessage(int32_t status, int8_t data1, int8_t data2) {
  // All sixteen MIDI channels play the looper alike.
  switch (status & kStatusTypeBits) {
    case kNoteOn:
      // Velocity 0 is a release, and a byte from 128 to 255 reads as
      // negative: neither triggers a command.
      if (data2 <= 0) {
        return;
      }
      switch (data1) {
        case kClearNote: clearLoop(); break;
        case kReverseNote: reverse = !reverse; break;
        case kOctaveNote: toggleOctaveDown(); break;
        case kRecallMarkNote: playPos = markPos; break;
        case kSetMarkNote: markPos = playPos; break;
        case kFoldNote: foldLoop(); break;
        case kDuplicateNote: duplicateLoop(); break;
        case kMirrorNote: mirrorLoop(); break;
        case kReverseMixNote: reverseMixLoop(); break;
        default: break;
      }
      return;
    case kControlChange:
      if (data1 == kSustainController) {
        // 64 itself, and a byte from 128 to 255 read as negative, lift the pedal.
        recording = data2 > kSustainOffMax;
      } else if (data1 == kLoopSecondsController) {
        setLoopSeconds(data2);
      }
      return;
    default:
      return;
  }
}

}  // namespace quarvine

// The MIDI control map: which messages play the looper. Status values have
// their channel bits cleared; every channel plays the looper alike.
#pragma once

#include <cstdint>

namespace quarvine::midi {

constexpr int32_t kStatusTypeBits = 0xF0;
constexpr int32_t kNoteOn = 0x90;
constexpr int32_t kControlChange = 0xB0;

constexpr int8_t kClearNote = 36;
constexpr int8_t kReverseNote = 48;
constexpr int8_t kOctaveNote = 55;
constexpr int8_t kRecallMarkNote = 72;
constexpr int8_t kSetMarkNote = 75;
constexpr int8_t kFoldNote = 82;
constexpr int8_t kDuplicateNote = 84;
constexpr int8_t kMirrorNote = 87;
constexpr int8_t kReverseMixNote = 91;

constexpr int8_t kSustainController = 64;
// The pedal is down above this value.
constexpr int8_t kSustainOffMax = 64;
constexpr int8_t kLoopSecondsController = 127;

}  // namespace quarvine::midi

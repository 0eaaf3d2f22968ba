// The records shared with hosts must match, byte for byte, what 32-bit and
// 64-bit hosts lay out. These asserts pin every offset of both layouts.
#include <gtest/gtest.h>

#include <cstddef>

#include "aeffect.h"

#define PIN(type, field, offset) static_assert(offsetof(type, field) == (offset), #type "." #field)

#if INTPTR_MAX == INT32_MAX
static_assert(sizeof(void*) == 4);
static_assert(sizeof(AEffect) == 144);
PIN(AEffect, magic, 0);
PIN(AEffect, dispatcher, 4);
PIN(AEffect, process, 8);
PIN(AEffect, setParameter, 12);
PIN(AEffect, getParameter, 16);
PIN(AEffect, numPrograms, 20);
PIN(AEffect, numParams, 24);
PIN(AEffect, numInputs, 28);
PIN(AEffect, numOutputs, 32);
PIN(AEffect, flags, 36);
PIN(AEffect, resvd1, 40);
PIN(AEffect, resvd2, 44);
PIN(AEffect, initialDelay, 48);
PIN(AEffect, realQualities, 52);
PIN(AEffect, offQualities, 56);
PIN(AEffect, ioRatio, 60);
PIN(AEffect, object, 64);
PIN(AEffect, user, 68);
PIN(AEffect, uniqueID, 72);
PIN(AEffect, version, 76);
PIN(AEffect, processReplacing, 80);
PIN(AEffect, future, 84);
PIN(VstEvents, numEvents, 0);
PIN(VstEvents, reserved, 4);
PIN(VstEvents, events, 8);
#elif INTPTR_MAX == INT64_MAX
static_assert(sizeof(void*) == 8);
static_assert(sizeof(AEffect) == 192);
PIN(AEffect, magic, 0);
PIN(AEffect, dispatcher, 8);
PIN(AEffect, process, 16);
PIN(AEffect, setParameter, 24);
PIN(AEffect, getParameter, 32);
PIN(AEffect, numPrograms, 40);
PIN(AEffect, numParams, 44);
PIN(AEffect, numInputs, 48);
PIN(AEffect, numOutputs, 52);
PIN(AEffect, flags, 56);
PIN(AEffect, resvd1, 64);
PIN(AEffect, resvd2, 72);
PIN(AEffect, initialDelay, 80);
PIN(AEffect, realQualities, 84);
PIN(AEffect, offQualities, 88);
PIN(AEffect, ioRatio, 92);
PIN(AEffect, object, 96);
PIN(AEffect, user, 104);
PIN(AEffect, uniqueID, 112);
PIN(AEffect, version, 116);
PIN(AEffect, processReplacing, 120);
PIN(AEffect, future, 128);
PIN(VstEvents, numEvents, 0);
PIN(VstEvents, reserved, 8);
PIN(VstEvents, events, 16);
#else
#error "Only 4-byte and 8-byte pointers are laid out"
#endif

// Pointer-free records are the same for every host.
static_assert(sizeof(VstMidiEvent) == 32);
PIN(VstMidiEvent, type, 0);
PIN(VstMidiEvent, byteSize, 4);
PIN(VstMidiEvent, deltaFrames, 8);
PIN(VstMidiEvent, flags, 12);
PIN(VstMidiEvent, noteLength, 16);
PIN(VstMidiEvent, noteOffset, 20);
PIN(VstMidiEvent, midiData, 24);
PIN(VstMidiEvent, detune, 28);
PIN(VstMidiEvent, noteOffVelocity, 29);
static_assert(sizeof(VstEvent) == 32);
PIN(VstEvent, type, 0);
PIN(VstEvent, byteSize, 4);
PIN(VstEvent, deltaFrames, 8);
PIN(VstEvent, flags, 12);
PIN(VstEvent, data, 16);
static_assert(sizeof(VstPinProperties) == 128);
PIN(VstPinProperties, label, 0);
PIN(VstPinProperties, flags, 64);
PIN(VstPinProperties, arrangementType, 68);
PIN(VstPinProperties, shortLabel, 72);
PIN(VstPinProperties, future, 80);

// The value argument and the answer of both callbacks widen with the pointer.
static_assert(sizeof(VstIntPtr) == sizeof(void*));

TEST(RecordLayout, IdentifiersPackTheFirstCharacterHighest) {
  EXPECT_EQ(kEffectMagic, 0x56737450);
  EXPECT_EQ(fourCharCode('Q', 'v', 'F', 'b'), 0x51764662);
}

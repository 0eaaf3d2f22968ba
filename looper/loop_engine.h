// The loop engine: a circular buffer of interleaved float samples that plays
// continuously, overdubs its input while recording, and is rewritten by MIDI
// commands. It knows nothing of the host's records: the plug-in passes it
// plain channel pointers and MIDI bytes.
#pragma once

#include <cstdint>

namespace quarvine {

// Every loop length in seconds assumes this many samples per second per
// channel; the host's sample rate is never consulted.
constexpr int32_t kLoopSampleRate = 44100;
constexpr int32_t kDefaultLoopSeconds = 4;
// Capacity: numChannels * kMaxLoopFrames floats (8 seconds).
constexpr int32_t kMaxLoopFrames = 352800;
constexpr int32_t kInitialLoopLength = kDefaultLoopSeconds * kLoopSampleRate;
// Change of the record gain per frame while it ramps up or fades out.
constexpr float kGainStep = 0.005f;

// The three parameter values that one audio block uses throughout.
struct MixLevels {
  float feedback;
  float loopMix;
  float dryMix;
};

class LoopEngine {
public:
  LoopEngine() = default;
  ~LoopEngine();
  LoopEngine(const LoopEngine&) = delete;
  LoopEngine& operator=(const LoopEngine&) = delete;

  // Resets every field and installs a silent buffer of kInitialLoopLength
  // floats. Returns false, leaving no buffer, when it cannot be allocated.
  bool initEngine();

  // One block. secondInput null means one channel. Both outputs are always
  // written; an output may be the same memory as an input. The levels come
  // by reference: passed by value, the three floats arrive packed in
  // registers that are unpacked through the stack, a store-forwarding stall
  // of some nanoseconds a block.
  void processReplacing(const float* firstInput, const float* secondInput, float* firstOutput,
                        float* secondOutput, int32_t sampleFrames, const MixLevels& levels);

  // One MIDI message: status with the channel bits cleared, data bytes as
  // signed 8-bit values.
  void handleMidiMessage(int32_t status, int8_t data1, int8_t data2);

  void clearLoop();
  void setLoopSeconds(int8_t value);
  void toggleOctaveDown();
  void foldLoop();
  void duplicateLoop();
  void mirrorLoop();
  void reverseMixLoop();

  // The engine's state. Only the engine's own operations change it while a
  // host drives the instance; tests read it and set up small loops directly.
  float* loopBuffer = nullptr;
  float inputGain = 0.0f;
  int32_t playPos = 0;
  int32_t markPos = 0;
  int32_t loopLength = 0;
  bool recording = false;
  bool reverse = false;
  bool octaveDown = false;
  int32_t numChannels = 1;

private:
  // The control word with which the last block flushed subnormals, kept so
  // that the next block loads it without storing it anew.
  uint32_t flushingControl = 0;

  // A zero-filled block of `length` floats, or null when it cannot be had.
  static float* allocateSilentLoop(int64_t length);
  // The same without the zero-fill, for a rewrite that writes every float.
  static float* allocateLoopToFill(int64_t length);
  // A block for twice the loop, to be filled, or null when the doubled loop
  // would pass the capacity or cannot be had.
  float* allocateDoubledLoop() const;
  // Releases the old block and keeps the new one with its length.
  void replaceLoop(float* buffer, int32_t length);
  // The two directions of the octave switch; false when refused.
  bool doubleFrames();
  bool halveFrames();
};

}  // namespace quarvine

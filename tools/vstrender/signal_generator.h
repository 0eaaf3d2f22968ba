// Generated input signals, named on the command line as KIND[:ARGUMENT]:
//   silence           all zeros
//   sine[:HZ]         a sine at half amplitude, 440 Hz when no frequency is given
//   noise             white noise at half amplitude, the same on every run
//   impulses[:TIME]   single samples of 1.0, one every TIME (default 1s), the first at 0
// Every channel carries the same signal.
#pragma once

#include <cstdint>
#include <string>

#include "input_source.h"

namespace vstrender {

struct SignalSettings {
  enum class Kind { kSilence, kSine, kNoise, kImpulses };
  Kind kind = Kind::kSilence;
  double frequency = 440.0;      // sine
  double intervalSeconds = 1.0;  // impulses
};

// Throws UserError naming --signal.
SignalSettings parseSignalOption(const std::string& text);

// Computes each sample from its frame number alone, so that any block can be
// read in any order and a long signal takes no memory.
class SignalSource : public InputSource {
 public:
  SignalSource(const SignalSettings& settings, int channels, int64_t frames, double sampleRate);

  int channelCount() const override { return channels_; }
  int64_t frameCount() const override { return frames_; }
  void read(int channel, int64_t start, int frames, float* out) const override;

 private:
  float sample(int64_t frame) const;

  SignalSettings settings_;
  int channels_;
  int64_t frames_;
  double sampleRate_;
  int64_t impulseInterval_;
};

}  // namespace vstrender

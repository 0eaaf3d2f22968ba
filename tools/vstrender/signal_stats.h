// Peak and RMS level of every output channel, and the one-line summary that
// ends a render.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vstrender {

class SignalStats {
 public:
  explicit SignalStats(int channels) : peak_(channels, 0.0), sumOfSquares_(channels, 0.0) {}

  void add(const float* const* channels, int frames);

  int64_t frames() const { return frames_; }
  double peak(int channel) const { return peak_[channel]; }
  double rms(int channel) const;

  // "NAME: 3.000 s, 132300 frames at 44100 Hz | out 1: peak -6.02 dBFS, RMS -9.03 dBFS | ..."
  std::string summary(const std::string& name, double sampleRate) const;

 private:
  std::vector<double> peak_;
  std::vector<double> sumOfSquares_;
  int64_t frames_ = 0;
};

// Level in decibels relative to full scale, "-inf" for silence.
std::string decibelText(double level);

}  // namespace vstrender

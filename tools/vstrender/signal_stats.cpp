#include "signal_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vstrender {

void SignalStats::add(const float* const* channels, int frames) {
  for (size_t c = 0; c < peak_.size(); ++c) {
    for (int i = 0; i < frames; ++i) {
      const double value = channels[c][i];
      peak_[c] = std::max(peak_[c], std::fabs(value));
      sumOfSquares_[c] += value * value;
    }
  }
  frames_ += frames;
}

double SignalStats::rms(int channel) const {
  return frames_ == 0 ? 0.0 : std::sqrt(sumOfSquares_[channel] / static_cast<double>(frames_));
}

std::string SignalStats::summary(const std::string& name, double sampleRate) const {
  char head[256];
  std::snprintf(head, sizeof head, "%s: %.3f s, %lld frames at %.0f Hz", name.c_str(),
                frames_ / sampleRate, static_cast<long long>(frames_), sampleRate);
  std::string line = head;
  for (size_t c = 0; c < peak_.size(); ++c) {
    line += " | out " + std::to_string(c + 1) + ": peak " + decibelText(peak_[c]) + ", RMS " +
            decibelText(rms(static_cast<int>(c)));
  }
  return line;
}

std::string decibelText(double level) {
  if (level <= 0.0) return "-inf dBFS";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f dBFS", 20.0 * std::log10(level));
  return text;
}

}  // namespace vstrender

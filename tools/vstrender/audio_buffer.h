// Audio held in memory, one vector per channel.
#pragma once

#include <cstdint>
#include <vector>

namespace vstrender {

struct AudioBuffer {
  double sampleRate = 44100.0;
  std::vector<std::vector<float>> channels;

  int channelCount() const { return static_cast<int>(channels.size()); }
  int64_t frameCount() const {
    return channels.empty() ? 0 : static_cast<int64_t>(channels[0].size());
  }
};

}  // namespace vstrender

// Where the render's input comes from, read one block at a time: a file
// held in memory or a signal computed on demand.
#pragma once

#include <algorithm>
#include <cstdint>

#include "audio_buffer.h"

namespace vstrender {

class InputSource {
 public:
  virtual ~InputSource() = default;
  virtual int channelCount() const = 0;
  virtual int64_t frameCount() const = 0;
  // Writes `frames` samples of `channel` from frame `start` on into `out`;
  // start + frames is at most frameCount().
  virtual void read(int channel, int64_t start, int frames, float* out) const = 0;
};

class BufferSource : public InputSource {
 public:
  explicit BufferSource(AudioBuffer buffer) : buffer_(std::move(buffer)) {}

  int channelCount() const override { return buffer_.channelCount(); }
  int64_t frameCount() const override { return buffer_.frameCount(); }
  void read(int channel, int64_t start, int frames, float* out) const override {
    std::copy_n(buffer_.channels[channel].begin() + start, frames, out);
  }

 private:
  AudioBuffer buffer_;
};

}  // namespace vstrender

// The render loop: configures a plug-in, then feeds it the input block by
// block with each block's MIDI events, and hands its outputs to a sink.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "input_source.h"
#include "midi_event.h"
#include "plugin.h"

namespace vstrender {

class AudioSink {
 public:
  virtual ~AudioSink() = default;
  // channels[c] points to `frames` samples of output c.
  virtual void write(const float* const* channels, int frames) = 0;
};

struct RenderJob {
  std::shared_ptr<const InputSource> input;  // frames past its end are silence
  double sampleRate = 44100.0;
  std::vector<TimedMidiEvent> events;
  int64_t totalFrames = 0;
  int blockSize = 512;
  int program = -1;  // -1 keeps the plug-in's own choice
  std::vector<std::pair<int, float>> parameters;
};

struct RenderReport {
  int inputsPassed = 0;
  int64_t eventsSent = 0;
  int64_t eventsPastEnd = 0;  // events at or after the last frame, not sent
};

using ProgressCallback = std::function<void(int64_t framesDone, int64_t totalFrames)>;

// The number of input pointers passed: as many as the plug-in declares, or
// as many as the input has channels when that is more, so that a plug-in
// declaring one input can be offered a stereo pair through effConnectInput.
int inputsToPass(int declaredInputs, int sourceChannels);

// Drives the plug-in from sample rate to suspend; throws UserError for a
// program or parameter index that the plug-in does not have.
RenderReport render(Plugin& plugin, const RenderJob& job, AudioSink& sink,
                    const ProgressCallback& progress = nullptr);

}  // namespace vstrender

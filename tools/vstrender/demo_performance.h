// The built-in performance that --demo plays through QuarvineVSTi: a plucked
// phrase recorded into a two-second loop with the sustain pedal, an
// overdubbed melody, then reverse, octave down, duplicate and mirror, and a
// last overdub before the pedal is released for good.
#pragma once

#include "renderer.h"

namespace vstrender {

constexpr double kDemoSampleRate = 44100.0;
// 10 ms blocks put every event of the performance on a block start, so it
// lands on time in a plug-in that applies a block's events at its start.
constexpr int kDemoBlockSize = 441;

RenderJob makeDemoPerformance();

}  // namespace vstrender

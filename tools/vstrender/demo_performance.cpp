#include "demo_performance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vstrender {
namespace {

constexpr double kLengthSeconds = 36.0;
constexpr int kDryMixParameter = 2;
constexpr float kNoteLevel = 0.3f;
constexpr double kStringDamping = 0.996;
constexpr double kReleaseSeconds = 0.01;

struct Note {
  double start;      // seconds
  double length;     // seconds
  double frequency;  // Hz
};

// Phrase A, recorded into the empty loop: an A minor arpeggio.
const Note kArpeggio[] = {
    {0.0, 0.5, 110.00}, {0.5, 0.5, 164.81}, {1.0, 0.5, 220.00}, {1.5, 0.5, 261.63}};
// Phrase B, overdubbed while A plays back.
const Note kMelody[] = {{2.00, 0.25, 659.25}, {2.25, 0.25, 587.33}, {2.50, 0.25, 523.25},
                        {2.75, 0.25, 493.88}, {3.00, 0.25, 440.00}, {3.25, 0.25, 493.88},
                        {3.50, 0.25, 523.25}, {3.75, 0.25, 659.25}};
// Phrase C, the last overdub into the mirrored loop.
const Note kHighNotes[] = {{26.0, 1.0, 880.00}, {27.0, 1.0, 1318.51}};

// A plucked string (Karplus-Strong): a burst of noise circulating in a
// delay line one period long, softened a little on every pass.
void pluck(std::vector<float>& out, const Note& note, uint32_t& seed) {
  const int64_t start = std::llround(note.start * kDemoSampleRate);
  const int64_t frames = std::llround(note.length * kDemoSampleRate);
  const int64_t release = std::llround(kReleaseSeconds * kDemoSampleRate);
  std::vector<double> line(static_cast<size_t>(std::lround(kDemoSampleRate / note.frequency)));
  for (double& value : line) {
    seed = seed * 1664525u + 1013904223u;
    value = (seed >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
  }
  size_t pos = 0;
  for (int64_t i = 0; i < frames && start + i < static_cast<int64_t>(out.size()); ++i) {
    const size_t next = (pos + 1) % line.size();
    const double sample = line[pos];
    line[pos] = kStringDamping * 0.5 * (line[pos] + line[next]);
    pos = next;
    const double fade = std::min<double>(1.0, static_cast<double>(frames - i) / release);
    out[start + i] += static_cast<float>(kNoteLevel * sample * fade);
  }
}

TimedMidiEvent event(double seconds, uint8_t status, uint8_t data1, uint8_t data2) {
  TimedMidiEvent e;
  e.seconds = seconds;
  e.bytes = {status, data1, data2};
  e.size = 3;
  return e;
}

TimedMidiEvent pedal(double seconds, bool down) { return event(seconds, 0xB0, 64, down ? 127 : 0); }
TimedMidiEvent note(double seconds, uint8_t number) { return event(seconds, 0x90, number, 100); }

}  // namespace

RenderJob makeDemoPerformance() {
  std::vector<float> phrases(static_cast<size_t>(kLengthSeconds * kDemoSampleRate));
  uint32_t seed = 1;
  const auto play = [&](const auto& phrase) {
    for (const Note& n : phrase) pluck(phrases, n, seed);
  };
  play(kArpeggio);
  play(kMelody);
  play(kHighNotes);

  RenderJob job;
  AudioBuffer input;
  input.sampleRate = kDemoSampleRate;
  input.channels.push_back(std::move(phrases));
  job.input = std::make_shared<BufferSource>(std::move(input));
  job.sampleRate = kDemoSampleRate;
  job.events = {
      event(0.0, 0xB0, 127, 2),  // two-second loop
      pedal(0.0, true),          // record the arpeggio, then overdub the melody
      pedal(4.0, false),
      note(6.0, 48),      // reverse
      note(8.0, 48),      // forwards again
      note(8.0, 55),      // octave down: half speed, four seconds
      note(12.0, 55),     // back up
      note(14.0, 84),     // duplicate: four seconds
      note(18.0, 87),     // mirror: eight seconds, forwards then backwards
      pedal(26.0, true),  // overdub the high notes
      pedal(28.0, false),
  };
  job.totalFrames = job.input->frameCount();
  job.blockSize = kDemoBlockSize;
  // The player hears what they play as well as the loop.
  job.parameters = {{kDryMixParameter, 1.0f}};
  return job;
}

}  // namespace vstrender

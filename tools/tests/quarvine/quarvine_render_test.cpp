// Audible behaviour of QuarvineVSTi, rendered end to end through vstrender.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "audio_file.h"
#include "plugin.h"
#include "renderer.h"
#include "test_support.h"

namespace vstrender {
namespace {

using testing::MemorySink;

constexpr double kRate = 44100.0;
constexpr int64_t kDefaultLoopFrames = 176400;  // four seconds of one channel

TimedMidiEvent midi(int64_t frame, uint8_t status, uint8_t data1, uint8_t data2) {
  TimedMidiEvent event;
  event.seconds = frame / kRate;
  event.bytes = {status, data1, data2};
  event.size = 3;
  return event;
}

TimedMidiEvent pedal(int64_t frame, bool down) { return midi(frame, 0xB0, 64, down ? 127 : 0); }

// A phrase that is nothing like itself backwards: a rising tone that dies
// away, between frames `start` and `end`, silence elsewhere.
std::vector<float> phrase(int64_t frames, int64_t start, int64_t end, float level) {
  std::vector<float> samples(frames, 0.0f);
  for (int64_t i = start; i < end; ++i) {
    const double t = static_cast<double>(i - start) / (end - start);
    samples[i] =
        static_cast<float>(level * (1.0 - t) * std::sin(2.0 * M_PI * (200.0 + 600.0 * t) * t));
  }
  return samples;
}

std::vector<std::vector<float>> renderQuarvine(std::vector<std::vector<float>> input,
                                               std::vector<TimedMidiEvent> events, int64_t frames,
                                               int blockSize = 512) {
  AudioBuffer audio;
  audio.sampleRate = kRate;
  audio.channels = std::move(input);
  RenderJob job;
  job.sampleRate = kRate;
  job.input = std::make_shared<BufferSource>(std::move(audio));
  job.events = std::move(events);
  job.totalFrames = frames;
  job.blockSize = blockSize;
  Plugin plugin(QUARVINE_PLUGIN);
  MemorySink sink(plugin.effect().numOutputs);
  render(plugin, job, sink);
  return sink.channels();
}

// The output is silent until `delay` frames after the input, then plays the
// input back, scaled by the full record gain (just above 1).
void expectEcho(const std::vector<float>& output, const std::vector<float>& input, int64_t delay) {
  ASSERT_GT(static_cast<int64_t>(output.size()), delay);
  for (int64_t n = 0; n < delay; ++n)
    ASSERT_EQ(output[n], 0.0f) << "sound at frame " << n << " before the echo";
  const int64_t loudest = std::max_element(input.begin(), input.end()) - input.begin();
  const double gain = output[delay + loudest] / input[loudest];
  EXPECT_GE(gain, 1.0);
  EXPECT_LE(gain, 1.01);
  for (int64_t n = delay; n < static_cast<int64_t>(output.size()); ++n) {
    ASSERT_NEAR(output[n], gain * input[n - delay], 1e-6) << "frame " << n;
  }
}

TEST(QuarvineRenderTest, APhraseRecordedWithThePedalComesBackExactlyOneLoopLater) {
  // The loop holds 176400 floats: four seconds of a mono input, two of a
  // stereo one, whose second channel the host announces with effConnectInput.
  // Each render ends before the second repetition.
  for (const int channels : {1, 2}) {
    SCOPED_TRACE(std::to_string(channels) + " channels");
    const int64_t loopFrames = kDefaultLoopFrames / channels;
    const int64_t frames = loopFrames + 30000;
    const std::vector<float> left = phrase(frames, 10000, 20000, 0.5f);
    std::vector<float> right = left;
    for (float& v : right) v *= -0.25f;
    std::vector<std::vector<float>> input = {left, right};
    input.resize(channels);

    const auto output = renderQuarvine(input, {pedal(0, true), pedal(25000, false)}, frames);
    expectEcho(output[0], left, loopFrames);
    expectEcho(output[1], channels == 2 ? right : left, loopFrames);
  }
}

TEST(QuarvineRenderTest, Controller127SetsTheLoopLengthInSeconds) {
  struct Case {
    uint8_t value;
    int64_t loopFrames;
  };
  for (const Case& c :
       {Case{1, 44100}, Case{2, 88200}, Case{0, kDefaultLoopFrames}, Case{100, 352800}}) {
    SCOPED_TRACE("controller 127 value " + std::to_string(c.value));
    const int64_t frames = c.loopFrames + 6000;
    const std::vector<float> input = phrase(frames, 1000, 3000, 0.5f);
    const auto output = renderQuarvine(
        {input}, {midi(0, 0xB0, 127, c.value), pedal(0, true), pedal(5000, false)}, frames);
    expectEcho(output[0], input, c.loopFrames);
  }
}

TEST(QuarvineRenderTest, AReversedLoopPlaysBackwards) {
  // A one-second loop, recorded during the first lap and played forwards in
  // the second; note 48 at the start of the third (a block start) reverses it.
  constexpr int64_t kLoop = 44100;
  const std::vector<float> input = phrase(3 * kLoop, 1000, 9000, 0.5f);
  const auto output = renderQuarvine(
      {input},
      {midi(0, 0xB0, 127, 1), pedal(0, true), pedal(20000, false), midi(2 * kLoop, 0x90, 48, 100)},
      3 * kLoop, 100);
  const std::vector<float>& out = output[0];
  EXPECT_GT(*std::max_element(out.begin() + kLoop, out.begin() + 2 * kLoop), 0.4f);
  for (int64_t j = 0; j < kLoop; ++j) {
    ASSERT_EQ(out[2 * kLoop + j], out[kLoop + (kLoop - j) % kLoop])
        << "frame " << j << " of the reversed lap";
  }
}

TEST(QuarvineRenderTest, TheDemoRendersItsPerformance) {
  testing::TempDir dir;
  const testing::ProcessResult result =
      testing::runProcess({VSTRENDER_BINARY, "--demo", dir.path("demo.wav"), QUARVINE_PLUGIN});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  // "DIR/demo.wav: 36.000 s, ... | out 1: peak P dBFS, RMS R dBFS | out 2: ..." with levels.
  const std::string head =
      dir.path("demo.wav") + ": 36.000 s, 1587600 frames at 44100 Hz | out 1: ";
  ASSERT_EQ(result.out.rfind(head, 0), 0u) << result.out;
  double peak[2], rms[2];
  EXPECT_EQ(std::sscanf(result.out.c_str() + head.size(),
                        "peak %lf dBFS, RMS %lf dBFS | out 2: peak %lf dBFS, RMS %lf dBFS\n",
                        &peak[0], &rms[0], &peak[1], &rms[1]),
            4)
      << result.out;
  for (int c = 0; c < 2; ++c) {
    EXPECT_LT(peak[c], 0.0);  // below full scale
    EXPECT_GT(rms[c], -40.0);
  }
  const AudioBuffer demo = readAudioFile(dir.path("demo.wav"));
  ASSERT_EQ(demo.channelCount(), 2);
  // After the last note of the input (28 s) only the loop sounds.
  const auto loud = [&](double from, double to) {
    return *std::max_element(demo.channels[0].begin() + static_cast<int64_t>(from * kRate),
                             demo.channels[0].begin() + static_cast<int64_t>(to * kRate));
  };
  EXPECT_GT(loud(30.0, 34.0), 0.1f);
}

}  // namespace
}  // namespace vstrender

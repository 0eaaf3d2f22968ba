// The host against a probe plug-in that writes down how it is driven.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>

#include "pin_array.h"
#include "plugin.h"
#include "renderer.h"
#include "signal_generator.h"
#include "test_support.h"
#include "user_error.h"

namespace vstrender {
namespace {

using testing::MemorySink;

// Keeps the probe library loaded across a Plugin's unload, so that its log
// outlives the instance.
class ProbeLog {
 public:
  explicit ProbeLog(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ != nullptr)
      log_ = reinterpret_cast<const char* (*)()>(dlsym(handle_, "vstrenderProbeLog"));
  }
  ~ProbeLog() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  std::string text() const { return log_ ? log_() : "(probe not loaded)"; }

 private:
  void* handle_;
  const char* (*log_)() = nullptr;
};

std::shared_ptr<InputSource> buffer(std::vector<std::vector<float>> channels, double sampleRate) {
  AudioBuffer audio;
  audio.sampleRate = sampleRate;
  audio.channels = std::move(channels);
  return std::make_shared<BufferSource>(std::move(audio));
}

TimedMidiEvent controller(double seconds, uint8_t number) {
  TimedMidiEvent event;
  event.seconds = seconds;
  event.bytes = {0xB0, number, 0};
  event.size = 3;
  return event;
}

TEST(HostTest, DrivesThePlugInInTheOrderOfADaw) {
  const ProbeLog log(PROBE_PLUGIN);
  RenderJob job;
  job.sampleRate = 48000;
  job.input = buffer({std::vector<float>(100)}, 48000);
  job.totalFrames = 128;
  job.blockSize = 64;
  job.program = 1;
  job.parameters = {{0, 0.25f}};
  job.events = {controller(0.0, 7)};
  {
    Plugin plugin(PROBE_PLUGIN);
    MemorySink sink(2);
    render(plugin, job, sink);
  }
  EXPECT_EQ(log.text(),
            "version=2400 open rate=48000 block=64 program=1 param0=0.25 in0=1 in1=1 out0=1 out1=1 "
            "resume "
            "host:rate=48000,block=64,wantMidi=1,vendor=Quarvine,product=vstrender,sendVstEvents=1,"
            "sendVstMidiEvent=1,sendVstTimeInfo=0,time=0 "
            "events=1 process=64 process=64 suspend close");
}

TEST(HostTest, EventsReachThePlugInAtTheirFrameWhateverTheBlockSize) {
  // At 1000 frames per second, an event at t seconds belongs at frame 1000 t;
  // the probe adds its controller number / 128 to output 1 at deltaFrames.
  const std::vector<std::pair<int, uint8_t>> events = {{0, 1},  {1, 2},  {63, 3},  {64, 4},
                                                       {64, 5}, {65, 6}, {199, 7}, {200, 8}};
  for (int blockSize : {1, 7, 64, 200, 512}) {
    SCOPED_TRACE("block size " + std::to_string(blockSize));
    RenderJob job;
    job.sampleRate = 1000;
    job.input = buffer({std::vector<float>(200)}, 1000);
    job.totalFrames = 200;
    job.blockSize = blockSize;
    for (const auto& [frame, number] : events)
      job.events.push_back(controller(frame / 1000.0, number));

    Plugin plugin(PROBE_PLUGIN);
    MemorySink sink(2);
    const RenderReport report = render(plugin, job, sink);

    std::vector<float> expected(200, 0.0f);
    for (const auto& [frame, number] : events) {
      if (frame < 200) expected[frame] += number / 128.0f;
    }
    EXPECT_EQ(sink.channels()[0], expected);
    EXPECT_EQ(sink.channels()[1], std::vector<float>(200, 0.0f));
    EXPECT_EQ(report.eventsSent, 7);
    EXPECT_EQ(report.eventsPastEnd, 1);
  }
}

TEST(HostTest, ClearsOutputsForAPlugInWithoutReplacing) {
  // The accumulating probe adds its input to its outputs: only outputs
  // cleared before every block give back the input unchanged.
  SignalSettings sine;
  sine.kind = SignalSettings::Kind::kSine;
  RenderJob job;
  job.input = std::make_shared<SignalSource>(sine, 1, 1000, 44100);
  job.totalFrames = 1000;
  job.blockSize = 128;
  std::vector<float> expected(1000);
  job.input->read(0, 0, 1000, expected.data());

  Plugin plugin(PROBE_ACCUMULATING_PLUGIN);
  ASSERT_EQ(plugin.effect().flags & effFlagsCanReplacing, 0);
  MemorySink sink(2);
  render(plugin, job, sink);
  EXPECT_EQ(sink.channels()[0], expected);
  EXPECT_EQ(sink.channels()[1], expected);
}

TEST(HostTest, MonoFeedsEveryInputStereoTheFirstTwoAndTheTailIsSilent) {
  const std::vector<float> left = {1, 2, 3, 4, 5}, right = {-1, -2, -3, -4, -5};
  const std::vector<float> silence(3, 0.0f);
  const auto withTail = [&](std::vector<float> v) {
    v.insert(v.end(), silence.begin(), silence.end());
    return v;
  };
  struct Case {
    std::vector<std::vector<float>> input;
    std::vector<std::vector<float>> output;
  };
  for (const Case& c : {Case{{left}, {withTail(left), withTail(left)}},
                        Case{{left, right}, {withTail(left), withTail(right)}}}) {
    RenderJob job;
    job.input = buffer(c.input, 44100);
    job.totalFrames = 8;
    job.blockSize = 3;
    Plugin plugin(PROBE_PLUGIN);
    MemorySink sink(2);
    render(plugin, job, sink);
    EXPECT_EQ(sink.channels(), c.output);
  }
}

TEST(HostTest, RefusesProgramsAndParametersThePlugInLacks) {
  for (const auto& [program, parameter] : {std::pair{3, 0}, std::pair{-1, 2}}) {
    RenderJob job;
    job.input = buffer({std::vector<float>(10)}, 44100);
    job.totalFrames = 10;
    job.program = program;
    job.parameters = {{parameter, 0.5f}};
    Plugin plugin(PROBE_PLUGIN);
    MemorySink sink(2);
    EXPECT_THROW(render(plugin, job, sink), UserError);
  }
}

TEST(HostTest, LooksUpVSTPluginMainBeforeMain) {
  // The probe's main returns null: only a host that asks for VSTPluginMain
  // first gets an effect.
  Plugin plugin(PROBE_PLUGIN);
  EXPECT_STREQ(plugin.library().entryName(), "VSTPluginMain");
  EXPECT_EQ(plugin.effect().uniqueID, fourCharCode('P', 'r', 'o', 'b'));
}

TEST(PinArrayDeathTest, ReadingPastTheLastPointerStopsTheProcess) {
  PinArray pins(1);
  float sample = 0.0f;
  pins[0] = &sample;
  float* volatile* data = pins.data();
  EXPECT_EQ(data[0], &sample);
  EXPECT_DEATH(static_cast<void>(data[1]), "");
  PinArray none(0);
  float* volatile* nothing = none.data();
  EXPECT_DEATH(static_cast<void>(nothing[0]), "");
}

}  // namespace
}  // namespace vstrender

// The host against VST 2 plug-ins that this project did not write, from
// Debian's dpf-plugins-vst and lsp-plugins-vst, run through vstrender.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "audio_file.h"
#include "test_support.h"

namespace vstrender {
namespace {

using testing::ProcessResult;
using testing::TempDir;

constexpr const char* kPingPongPan = "/usr/lib/vst/PingPongPan-vst.so";
constexpr const char* kKars = "/usr/lib/vst/Kars-vst.so";
constexpr const char* kDelayCompensator = "/usr/lib/vst/lsp-plugins/comp-delay-mono.so";

// In a sanitizer build the leak checker would report what these plug-ins
// leave allocated when unloaded; that is theirs to mend, not the host's.
ProcessResult vstrender(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), VSTRENDER_BINARY);
  return testing::runProcess(arguments, {"ASAN_OPTIONS=detect_leaks=0"});
}

void expectInfo(const std::string& plugin, const std::string& effectName,
                const std::string& entry) {
  const ProcessResult info = vstrender({plugin, "--info"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("(entry point " + entry + ")\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Effect name:    \"" + effectName + "\"\n"), std::string::npos)
      << info.out;
}

AudioBuffer render(const std::vector<std::string>& arguments, const TempDir& dir) {
  std::vector<std::string> all = arguments;
  all.push_back("-o");
  all.push_back(dir.path("out.wav"));
  const ProcessResult result = vstrender(all);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  return readAudioFile(dir.path("out.wav"));
}

float peak(const std::vector<float>& samples, size_t from, size_t to) {
  float level = 0.0f;
  for (size_t i = from; i < to; ++i) {
    if (!std::isfinite(samples[i])) return INFINITY;
    level = std::max(level, std::fabs(samples[i]));
  }
  return level;
}

TEST(ThirdPartyPluginTest, LspDelayCompensatorPassesItsInputThrough) {
  VSTRENDER_REQUIRE_FILE(kDelayCompensator, "lsp-plugins-vst");
  expectInfo(kDelayCompensator, "Delay Compensator Mono", "VSTPluginMain");
  TempDir dir;
  AudioBuffer input;
  input.channels.assign(1, std::vector<float>(44100));
  for (size_t i = 0; i < input.channels[0].size(); ++i)
    input.channels[0][i] = 0.5f * std::sin(i * 0.05f);
  testing::writeWav(dir.path("in.wav"), input);

  const AudioBuffer out = render({kDelayCompensator, "-i", dir.path("in.wav"), "-b", "300"}, dir);
  ASSERT_EQ(out.channelCount(), 1);
  ASSERT_EQ(out.frameCount(), 44100);
  for (size_t i = 0; i < 44100; ++i)
    ASSERT_NEAR(out.channels[0][i], input.channels[0][i], 1e-6) << i;
}

TEST(ThirdPartyPluginTest, DistrhoPingPongPanMovesAStereoInputBetweenItsOutputs) {
  VSTRENDER_REQUIRE_FILE(kPingPongPan, "dpf-plugins-vst");
  expectInfo(kPingPongPan, "Ping Pong Pan", "main");
  TempDir dir;
  const AudioBuffer out =
      render({kPingPongPan, "--signal", "sine:440", "--channels", "2", "--length", "2"}, dir);
  ASSERT_EQ(out.channelCount(), 2);
  for (const auto& channel : out.channels) EXPECT_LE(peak(channel, 0, channel.size()), 1.0f);
  // The same signal on both inputs comes out louder on one side at times.
  float largestDifference = 0.0f;
  for (int64_t i = 0; i < out.frameCount(); ++i) {
    largestDifference =
        std::max(largestDifference, std::fabs(out.channels[0][i] - out.channels[1][i]));
  }
  EXPECT_GT(largestDifference, 0.1f);
}

TEST(ThirdPartyPluginTest, DistrhoKarsPlaysTheNotesItIsSent) {
  VSTRENDER_REQUIRE_FILE(kKars, "dpf-plugins-vst");
  expectInfo(kKars, "Kars", "main");
  TempDir dir;
  const AudioBuffer quiet = render({kKars, "--length", "1"}, dir);
  EXPECT_EQ(peak(quiet.channels[0], 0, 44100), 0.0f);

  const AudioBuffer played =
      render({kKars, "--event", "0.5s:note57", "--event", "0.75s:off57", "--length", "1"}, dir);
  ASSERT_EQ(played.channelCount(), 1);
  EXPECT_EQ(peak(played.channels[0], 0, 22050), 0.0f);
  const float level = peak(played.channels[0], 22050, 44100);
  EXPECT_GT(level, 0.05f);
  EXPECT_LE(level, 1.0f);
}

}  // namespace
}  // namespace vstrender

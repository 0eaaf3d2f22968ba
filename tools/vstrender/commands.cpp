#include "commands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "audio_file.h"
#include "demo_performance.h"
#include "midi_file.h"
#include "plugin_info.h"
#include "progress_bar.h"
#include "signal_generator.h"
#include "signal_stats.h"
#include "user_error.h"

namespace vstrender {
namespace {

constexpr double kDefaultSampleRate = 44100.0;
constexpr int32_t kQuarvineId = fourCharCode('Q', 'v', 'F', 'b');

class FileSink : public AudioSink {
 public:
  FileSink(AudioFileWriter& writer, SignalStats& stats) : writer_(writer), stats_(stats) {}
  void write(const float* const* channels, int frames) override {
    writer_.write(channels, frames);
    stats_.add(channels, frames);
  }

 private:
  AudioFileWriter& writer_;
  SignalStats& stats_;
};

void note(const std::string& text) { std::fprintf(stderr, "vstrender: note: %s\n", text.c_str()); }

bool fileExists(const std::string& path) {
  struct stat status;
  return !path.empty() && stat(path.c_str(), &status) == 0;
}

// The QuarvineVSTi library for --demo: the one given, else the one this
// build made, else the one it installed.
std::string demoPluginPath(const Options& options) {
  if (!options.pluginPath.empty()) return options.pluginPath;
  for (const char* candidate : {VSTRENDER_BUILT_PLUGIN, VSTRENDER_INSTALLED_PLUGIN}) {
    if (fileExists(candidate)) return candidate;
  }
  throw UserError(std::string("--demo: QuarvineVSTi is neither at ") + VSTRENDER_BUILT_PLUGIN +
                  " nor at " + VSTRENDER_INSTALLED_PLUGIN + "; build it or give its path");
}

}  // namespace

void renderToFile(Plugin& plugin, const RenderJob& job, const std::string& outputPath,
                  std::ostream& out) {
  const int outputs = plugin.effect().numOutputs;
  if (outputs <= 0)
    throw UserError(plugin.library().path() + ": the plug-in has no audio outputs to render");
  AudioFileWriter writer(outputPath, outputs, job.sampleRate);
  SignalStats stats(outputs);
  FileSink sink(writer, stats);
  ProgressBar bar(isatty(STDERR_FILENO) != 0);
  const RenderReport report =
      render(plugin, job, sink, [&bar](int64_t done, int64_t total) { bar.update(done, total); });
  bar.finish();
  writer.commit();
  if (report.eventsPastEnd > 0) {
    note(std::to_string(report.eventsPastEnd) +
         " MIDI events at or after the end of the render were not sent" +
         " (--tail renders longer)");
  }
  out << stats.summary(outputPath, job.sampleRate) << "\n";
}

void runInfo(const Options& options, std::ostream& out) {
  Plugin plugin(options.pluginPath);
  plugin.setSampleRate(static_cast<float>(options.sampleRate.value_or(kDefaultSampleRate)));
  plugin.setBlockSize(options.blockSize.value_or(kDefaultBlockSize));
  printPluginInfo(plugin, out);
}

void runRender(const Options& options, std::ostream& out) {
  RenderJob job;
  job.blockSize = options.blockSize.value_or(kDefaultBlockSize);
  job.program = options.program;
  job.parameters = options.parameters;

  if (!options.midiPath.empty()) job.events = readMidiFile(options.midiPath).events;
  job.events.insert(job.events.end(), options.events.begin(), options.events.end());

  if (!options.inputPath.empty()) {
    AudioBuffer audio = readAudioFile(options.inputPath);
    if (options.sampleRate && *options.sampleRate != audio.sampleRate) {
      throw UserError("--rate " + std::to_string(*options.sampleRate) + ": " + options.inputPath +
                      " is at " + std::to_string(static_cast<int>(audio.sampleRate)) +
                      " Hz and vstrender does not resample");
    }
    job.sampleRate = audio.sampleRate;
    job.input = std::make_shared<BufferSource>(std::move(audio));
  } else {
    job.sampleRate = options.sampleRate.value_or(kDefaultSampleRate);
    int64_t frames = 0;
    if (options.lengthSeconds) {
      frames = std::llround(*options.lengthSeconds * job.sampleRate);
    } else if (!job.events.empty()) {
      const auto last =
          std::max_element(job.events.begin(), job.events.end(),
                           [](const auto& a, const auto& b) { return a.seconds < b.seconds; });
      frames =
          std::llround(last->seconds * job.sampleRate) + 1;  // up to and including the last event
    } else {
      throw UserError(
          "--length: give the length of the input, or an input file, or MIDI events to end at");
    }
    job.input = std::make_shared<SignalSource>(options.signal.value_or(SignalSettings{}),
                                               options.channels, frames, job.sampleRate);
  }
  job.totalFrames = job.input->frameCount() + std::llround(options.tailSeconds * job.sampleRate);
  if (job.totalFrames == 0)
    throw UserError("nothing to render: the input is empty and --tail is 0");

  Plugin plugin(options.pluginPath);
  if (!options.inputPath.empty() && plugin.effect().numInputs == 0) {
    note(options.pluginPath + " has no audio inputs; " + options.inputPath +
         " only sets the length");
  }
  renderToFile(plugin, job, options.outputPath, out);
}

void runDemo(const Options& options, std::ostream& out) {
  const std::string path = demoPluginPath(options);
  Plugin plugin(path);
  if (plugin.effect().uniqueID != kQuarvineId) {
    throw UserError("--demo: " + path + " has unique id " + fourCharText(plugin.effect().uniqueID) +
                    ", not QuarvineVSTi's 'QvFb'");
  }
  RenderJob job = makeDemoPerformance();
  job.blockSize = options.blockSize.value_or(job.blockSize);
  renderToFile(plugin, job, options.demoPath, out);
}

}  // namespace vstrender

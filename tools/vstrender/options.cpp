#include "options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdlib>

#include "event_option.h"
#include "time_value.h"
#include "user_error.h"

namespace vstrender {
namespace {

constexpr double kMaxSeconds = 24.0 * 3600.0;
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 384000;
constexpr int kMaxBlockSize = 65536;

double boundedTime(const std::string& text, const std::string& option) {
  const double seconds = parseTime(text, option);
  if (seconds > kMaxSeconds) throw UserError(option + ": " + text + " is longer than 24 hours");
  return seconds;
}

std::pair<int, float> parseParameter(const std::string& text) {
  const std::string option = "--param " + text;
  const size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0)
    throw UserError(option + ": expected INDEX=VALUE, as in 2=0.5");
  const std::string index = text.substr(0, equals);
  const std::string value = text.substr(equals + 1);
  if (index.find_first_not_of("0123456789") != std::string::npos || index.size() > 6) {
    throw UserError(option + ": index '" + index + "' is not a number");
  }
  char* end = nullptr;
  const double number = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != '\0' || !std::isfinite(number)) {
    throw UserError(option + ": value '" + value + "' is not a number");
  }
  if (number < 0.0 || number > 1.0)
    throw UserError(option + ": value " + value + " is outside 0 to 1");
  return {std::atoi(index.c_str()), static_cast<float>(number)};
}

}  // namespace

std::optional<Options> parseOptions(int argc, char** argv) {
  Options options;
  std::string signal, length, tail;
  std::vector<std::string> events, parameters;
  int sampleRate = 0;
  int blockSize = 0;

  CLI::App app{"Renders audio and MIDI through a VST 2 plug-in, as a DAW would play it.",
               "vstrender"};
  app.footer(
      "Forms:\n"
      "  vstrender PLUGIN.so -o OUT.wav [-i IN.wav | --signal KIND] [--midi FILE] [--event "
      "TIME:MSG]...\n"
      "  vstrender PLUGIN.so --info\n"
      "  vstrender --demo OUT.wav [PLUGIN.so]\n"
      "TIME is seconds, as in 2, 4.5s or 250ms.");
  app.add_option("PLUGIN", options.pluginPath, "VST 2 plug-in library")->type_name("FILE");
  auto* output =
      app.add_option(
             "-o,--output", options.outputPath,
             "Output audio file; its extension picks the format (.wav, .aiff, .flac, .ogg, ...)")
          ->type_name("FILE");
  auto* info =
      app.add_flag("--info", options.info, "Print what a host learns about the plug-in, then exit");
  auto* demo = app.add_option("--demo", options.demoPath,
                              "Render the built-in QuarvineVSTi performance into this file")
                   ->type_name("FILE");
  auto* input = app.add_option("-i,--input", options.inputPath, "Input audio file, mono or stereo")
                    ->type_name("FILE");
  auto* signalOption =
      app.add_option("--signal", signal,
                     "Generated input: silence, sine[:HZ], noise or impulses[:TIME]")
          ->type_name("KIND");
  auto* channels =
      app.add_option("--channels", options.channels, "Channels of the generated input (1 or 2)")
          ->check(CLI::Range(1, 2))
          ->type_name("N");
  auto* lengthOption =
      app.add_option("--length", length,
                     "Length of the generated input (default: up to the last MIDI event)")
          ->type_name("TIME");
  auto* tailOption =
      app.add_option("--tail", tail, "Time to go on rendering after the input ends (default 0)")
          ->type_name("TIME");
  auto* midi =
      app.add_option("-m,--midi", options.midiPath, "Standard MIDI File (format 0 or 1) to play")
          ->type_name("FILE");
  auto* eventOption =
      app.add_option("-e,--event", events,
                     "MIDI event TIME:MSG[@CH]; MSG is ccN=V, noteN[=VEL], offN, pcN or bend=V")
          ->type_name("TIME:MSG");
  auto* rate = app.add_option("-r,--rate", sampleRate,
                              "Sample rate in Hz (default: the input file's, else 44100)")
                   ->check(CLI::Range(kMinSampleRate, kMaxSampleRate))
                   ->type_name("HZ");
  auto* blockSizeOption =
      app.add_option("-b,--block-size", blockSize, "Frames per process call (default 512)")
          ->check(CLI::Range(1, kMaxBlockSize))
          ->type_name("N");
  auto* parameterOption =
      app.add_option("-p,--param", parameters, "Set parameter INDEX to VALUE (0 to 1)")
          ->type_name("INDEX=VALUE");
  auto* program =
      app.add_option("--program", options.program, "Select this program before rendering")
          ->check(CLI::NonNegativeNumber)
          ->type_name("N");

  for (CLI::Option* excluded : {output, info, input, signalOption, channels, lengthOption,
                                tailOption, midi, eventOption, rate, parameterOption, program}) {
    demo->excludes(excluded);
  }
  output->excludes(info);
  for (CLI::Option* excluded : {signalOption, channels, lengthOption}) input->excludes(excluded);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {
      app.exit(e);
      return std::nullopt;
    }
    throw UserError(e.what());
  }

  if (options.demoPath.empty() && !options.info && options.outputPath.empty()) {
    throw UserError("give --output FILE, --info or --demo FILE (see --help)");
  }
  if (options.demoPath.empty() && options.pluginPath.empty()) {
    throw UserError("give the path of a VST 2 plug-in library (see --help)");
  }
  if (!signal.empty()) options.signal = parseSignalOption(signal);
  if (!length.empty()) options.lengthSeconds = boundedTime(length, "--length");
  if (!tail.empty()) options.tailSeconds = boundedTime(tail, "--tail");
  for (const std::string& text : events) {
    options.events.push_back(parseEventOption(text));
    if (options.events.back().seconds > kMaxSeconds)
      throw UserError("--event " + text + ": later than 24 hours");
  }
  for (const std::string& text : parameters) options.parameters.push_back(parseParameter(text));
  if (*rate) options.sampleRate = sampleRate;
  if (*blockSizeOption) options.blockSize = blockSize;
  return options;
}

}  // namespace vstrender

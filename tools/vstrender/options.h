// The command line of vstrender.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "midi_event.h"
#include "signal_generator.h"

namespace vstrender {

constexpr int kDefaultBlockSize = 512;

struct Options {
  std::string pluginPath;  // empty: for --demo, the QuarvineVSTi that was built or installed
  std::string outputPath;
  std::string demoPath;
  bool info = false;

  std::string inputPath;
  std::optional<SignalSettings> signal;
  int channels = 1;                     // of a generated input
  std::optional<double> lengthSeconds;  // of a generated input
  double tailSeconds = 0.0;
  std::string midiPath;
  std::vector<TimedMidiEvent> events;  // from --event, in command-line order

  std::optional<int> sampleRate;
  std::optional<int> blockSize;  // default: kDefaultBlockSize, or the demo's own
  std::vector<std::pair<int, float>> parameters;
  int program = -1;
};

// Returns nothing when help was asked for and printed; throws UserError
// naming the option for anything it cannot accept.
std::optional<Options> parseOptions(int argc, char** argv);

}  // namespace vstrender

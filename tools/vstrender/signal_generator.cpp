#include "signal_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "time_value.h"
#include "user_error.h"

namespace vstrender {
namespace {

constexpr float kLevel = 0.5f;

// A well-mixed hash of the frame number (SplitMix64) as the noise source.
uint64_t mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

SignalSettings parseSignalOption(const std::string& text) {
  const size_t colon = text.find(':');
  const std::string kind = text.substr(0, colon);
  const bool hasArgument = colon != std::string::npos;
  const std::string argument = hasArgument ? text.substr(colon + 1) : "";
  const std::string option = "--signal " + text;
  SignalSettings settings;
  if (kind == "silence" || kind == "noise") {
    if (hasArgument) throw UserError(option + ": " + kind + " takes no argument");
    settings.kind =
        kind == "silence" ? SignalSettings::Kind::kSilence : SignalSettings::Kind::kNoise;
  } else if (kind == "sine") {
    settings.kind = SignalSettings::Kind::kSine;
    if (hasArgument) {
      char* end = nullptr;
      settings.frequency = std::strtod(argument.c_str(), &end);
      if (argument.empty() || *end != '\0' ||
          !(settings.frequency > 0.0 && settings.frequency < 1e6)) {
        throw UserError(option + ": frequency '" + argument + "' is not a number of Hz above 0");
      }
    }
  } else if (kind == "impulses") {
    settings.kind = SignalSettings::Kind::kImpulses;
    if (hasArgument) settings.intervalSeconds = parseTime(argument, option);
    if (settings.intervalSeconds <= 0.0) throw UserError(option + ": interval must be above 0");
  } else {
    throw UserError(option + ": unknown signal (use silence, sine[:HZ], noise or impulses[:TIME])");
  }
  return settings;
}

SignalSource::SignalSource(const SignalSettings& settings, int channels, int64_t frames,
                           double sampleRate)
    : settings_(settings),
      channels_(channels),
      frames_(frames),
      sampleRate_(sampleRate),
      impulseInterval_(std::max<int64_t>(1, std::llround(settings.intervalSeconds * sampleRate))) {}

void SignalSource::read(int, int64_t start, int frames, float* out) const {
  for (int i = 0; i < frames; ++i) out[i] = sample(start + i);
}

float SignalSource::sample(int64_t frame) const {
  switch (settings_.kind) {
    case SignalSettings::Kind::kSine:
      // The phase is reduced first so that late frames keep their precision.
      return kLevel *
             static_cast<float>(std::sin(
                 2.0 * M_PI * std::fmod(settings_.frequency * frame, sampleRate_) / sampleRate_));
    case SignalSettings::Kind::kNoise:
      return kLevel *
             static_cast<float>((mix(frame) >> 40) / static_cast<double>(1u << 24) * 2.0 - 1.0);
    case SignalSettings::Kind::kImpulses:
      return frame % impulseInterval_ == 0 ? 1.0f : 0.0f;
    case SignalSettings::Kind::kSilence:
      break;
  }
  return 0.0f;
}

}  // namespace vstrender

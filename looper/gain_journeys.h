// The record gain's two usual journeys, worked out by the compiler in the
// same single-precision steps that the audio path takes: up from 0.0 until
// it passes 1.0 when the pedal goes down, and back from there until it
// passes 0.0 when the pedal comes up. A block on one of them reads its
// gains from here. Stepping them one frame after another is a chain of
// dependent additions that costs more than all the rest of a frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "loop_engine.h"

namespace quarvine::journeys {

template <std::size_t kSteps>
constexpr std::array<float, kSteps> stepGains(float gain, bool rising) {
  std::array<float, kSteps> gains{};
  for (std::size_t i = 0; i < kSteps; ++i) {
    if (rising) {
      gain += kGainStep;
    } else {
      gain -= kGainStep;
    }
    gains[i] = gain;
  }
  return gains;
}

constexpr std::array<float, 201> kRampGains = stepGains<201>(0.0f, true);
constexpr std::array<float, 202> kFadeGains = stepGains<202>(kRampGains.back(), false);
// Each journey ends with the first gain past its bound.
static_assert(kRampGains[199] < 1.0f && !(kRampGains[200] < 1.0f));
static_assert(kFadeGains[200] > 0.0f && !(kFadeGains[201] > 0.0f));

struct Journey {
  const float* gains;
  int32_t length;
  float start;
};

template <bool kRising>
constexpr Journey journey() {
  if (kRising) {
    return {kRampGains.data(), static_cast<int32_t>(kRampGains.size()), 0.0f};
  }
  return {kFadeGains.data(), static_cast<int32_t>(kFadeGains.size()), kRampGains.back()};
}

// The index of the gain that follows `gain` on the journey, or -1 when the
// journey does not pass through `gain` or ends there. No gain on a journey
// is zero, so equal floats are equal bits, and a start of -0.0 steps as 0.0.
template <bool kRising>
int32_t following(float gain) {
  constexpr Journey kJourney = journey<kRising>();
  if (gain == kJourney.start) {
    return 0;
  }
  int32_t low = 0;
  int32_t high = kJourney.length;
  while (low < high) {
    const int32_t middle = (low + high) / 2;
    const float passed = kJourney.gains[middle];
    if (kRising ? passed < gain : passed > gain) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low + 1 < kJourney.length && kJourney.gains[low] == gain) {
    return low + 1;
  }
  return -1;
}

// The journeys are what round-to-nearest gives. Under any other rounding
// some step differs, so there the `count` gains from `gains` on are checked
// against one addition each, all independent of one another.
template <bool kRising>
bool confirms(const float* gains, float gain, int32_t count) {
  const float step = kRising ? kGainStep : -kGainStep;
  int32_t wrong = gain + step != gains[0];
  for (int32_t i = 1; i < count; ++i) {
    wrong += gains[i - 1] + step != gains[i];
  }
  return wrong == 0;
}

}  // namespace quarvine::journeys

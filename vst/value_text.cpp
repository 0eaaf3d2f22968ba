// Value-to-text: the eight-character texts that hosts show for parameter
// values. Digits are truncated, never rounded, so a text shows the value that
// the float really holds (0.95 reads "0.949999").
#include <cmath>
#include <cstdio>
#include <cstring>

#include "audio_effect.h"

namespace {

constexpr int kTextLength = 8;
constexpr char kHugeText[] = " Huge!  ";
constexpr char kMinusInfinityText[] = "  -oo   ";

// A digit whose value is not a number counts as 0.
char digitOf(double value) {
  double digit = std::fmod(value, 10.0);
  return static_cast<char>('0' + (std::isnan(digit) ? 0 : static_cast<int>(digit)));
}

}  // namespace

void AudioEffect::float2string(float value, char* text) {
  double v = value;
  int count = 0;
  const bool negative = v < 0.0 || std::isnan(v);
  if (negative) {
    v = -v;
    count = 1;
  }
  // Seven integer digits fit beside the point, six after a minus sign. A value
  // with more shows the overflow text rather than losing its leading digits.
  const double tooLarge = negative ? 1000000.0 : 10000000.0;
  if (v >= tooLarge) {
    std::memcpy(text, kHugeText, sizeof kHugeText);
    return;
  }

  // Integer part, right to left: the point, then at least one digit.
  char scratch[kTextLength + 1];
  int start = kTextLength;
  scratch[start] = 0;
  scratch[--start] = '.';
  double integer = std::floor(v);
  scratch[--start] = digitOf(integer);
  integer *= 0.1;
  count += 2;
  while (integer >= 1.0 && count < kTextLength) {
    scratch[--start] = digitOf(integer);
    integer *= 0.1;
    ++count;
  }
  if (negative) scratch[--start] = '-';
  std::memcpy(text, scratch + start, static_cast<std::size_t>(kTextLength + 1 - start));
  if (count >= kTextLength) return;

  // Fraction, right to left, as many digits as fill eight characters.
  const int fractionDigits = kTextLength - count;
  double fraction = std::fmod(v, 1.0) * std::pow(10.0, fractionDigits);
  char* digits = text + count;
  for (int position = fractionDigits - 1; position >= 0; --position) {
    if (fraction <= 0.0 || std::isnan(fraction)) {
      digits[position] = '0';
    } else {
      digits[position] = digitOf(fraction);
      fraction *= 0.1;
    }
  }
  digits[fractionDigits] = 0;
}

void AudioEffect::dB2string(float value, char* text) {
  if (value > 0.0f)
    float2string(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
  else
    std::memcpy(text, kMinusInfinityText, sizeof kMinusInfinityText);
}

void AudioEffect::Hz2string(float samples, char* text) {
  if (samples == 0.0f || std::isnan(samples))
    float2string(0.0f, text);
  else
    float2string(static_cast<float>(static_cast<double>(getSampleRate()) / samples), text);
}

void AudioEffect::ms2string(float samples, char* text) {
  float2string(static_cast<float>(static_cast<double>(samples) * 1000.0 / getSampleRate()), text);
}

void AudioEffect::long2string(VstInt32 value, char* text) {
  // Eight characters hold 99,999,999 and -9,999,999; beyond either the
  // overflow text is shown rather than a number with digits cut off.
  if (value >= 100000000 || value < -9999999) {
    std::memcpy(text, kHugeText, sizeof kHugeText);
    return;
  }
  std::snprintf(text, kTextLength + 1, "%7d", static_cast<int>(value));
}

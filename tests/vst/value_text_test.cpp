// The eight-character texts that hosts show for values: digits truncated,
// never rounded, and the overflow and minus-infinity texts.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "test_effect.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Runs one conversion into a buffer larger than the nine bytes that it may
// use, and checks that nothing past those nine bytes was written.
std::string convert(const std::function<void(TestEffect&, char*)>& conversion,
                    float sampleRate = 44100.0f) {
  TestEffect effect;
  effect.setSampleRate(sampleRate);
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  conversion(effect, buffer);
  EXPECT_EQ(std::string(buffer + 9, 7), "#######") << "written past nine bytes";
  return std::string(buffer, strnlen(buffer, 9));
}

struct FloatCase {
  float value;
  const char* text;
};

TEST(ValueText, FloatToStringTruncatesToEightCharacters) {
  const FloatCase cases[] = {
      {0.0f, "0.000000"},
      {0.95f, "0.949999"},
      {1.0f, "1.000000"},
      {12.5f, "12.50000"},
      {-3.25f, "-3.25000"},
      {-0.5f, "-0.50000"},
      {100.25f, "100.2500"},
      {0.05f, "0.050000"},
      {0.7f, "0.699999"},
      {0.999999f, "0.999998"},
      {123456.7f, "123456.7"},
      {1234567.0f, "1234567."},
      {-123456.0f, "-123456."},
      {1e-7f, "0.000000"},
      {-1e-7f, "-0.00000"},
      {-0.0f, "0.000000"},
      {kNaN, "-0.00000"},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(convert([&](TestEffect& e, char* t) { e.float2string(c.value, t); }), c.text);
  }
}

// Seven integer digits fit beside the point, six beside a minus sign: every
// value with more shows the overflow text, never a number missing its
// leading digits.
TEST(ValueText, FloatToStringShowsHugeForEveryValueItCannotShowWhole) {
  const FloatCase cases[] = {
      {9999999.0f, "9999999."},  {10000000.0f, " Huge!  "}, {12345678.0f, " Huge!  "},
      {99999999.0f, " Huge!  "}, {100000000.0f, " Huge!  "}, {1e30f, " Huge!  "},
      {kInfinity, " Huge!  "},   {-999999.0f, "-999999."},  {-999999.5f, "-999999."},
      {-1000000.0f, " Huge!  "}, {-1234567.0f, " Huge!  "}, {-10000000.0f, " Huge!  "},
      {-kInfinity, " Huge!  "},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(convert([&](TestEffect& e, char* t) { e.float2string(c.value, t); }), c.text);
  }
}

TEST(ValueText, DecibelsOfAGainAndMinusInfinityForNone) {
  const FloatCase cases[] = {
      {1.0f, "0.000000"},  {0.5f, "-6.02059"},  {10.0f, "20.00000"}, {100.0f, "40.00000"},
      {0.0f, "  -oo   "}, {-0.0f, "  -oo   "}, {-1.0f, "  -oo   "}, {kNaN, "  -oo   "},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(convert([&](TestEffect& e, char* t) { e.dB2string(c.value, t); }), c.text);
  }
}

TEST(ValueText, HertzOfAPeriodAtTheSampleRate) {
  struct Case {
    float samples;
    float sampleRate;
    const char* text;
  };
  const Case cases[] = {
      {100.0f, 44100.0f, "441.0000"}, {44100.0f, 44100.0f, "1.000000"},
      {-100.0f, 44100.0f, "-441.000"}, {100.0f, 48000.0f, "480.0000"},
      {0.0f, 44100.0f, "0.000000"},   {kNaN, 44100.0f, "0.000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.samples);
    EXPECT_EQ(convert([&](TestEffect& e, char* t) { e.Hz2string(c.samples, t); }, c.sampleRate),
              c.text);
  }
}

TEST(ValueText, MillisecondsOfALengthAtTheSampleRate) {
  struct Case {
    float samples;
    float sampleRate;
    const char* text;
  };
  const Case cases[] = {
      {441.0f, 44100.0f, "10.00000"},
      {44100.0f, 44100.0f, "1000.000"},
      {48.0f, 48000.0f, "1.000000"},
      {1.0f, 0.0f, " Huge!  "},  // no test of the rate: the length is infinite
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.samples);
    EXPECT_EQ(convert([&](TestEffect& e, char* t) { e.ms2string(c.samples, t); }, c.sampleRate),
              c.text);
  }
}

TEST(ValueText, IntegersRightAlignedInSevenAndHugeBeyondEight) {
  struct Case {
    VstInt32 value;
    const char* text;
  };
  const Case cases[] = {
      {0, "      0"},          {1234, "   1234"},        {-5, "     -5"},
      {1234567, "1234567"},     {12345678, "12345678"},   {99999999, "99999999"},
      {100000000, " Huge!  "}, {INT_MAX, " Huge!  "},    {-1234567, "-1234567"},
      {-9999999, "-9999999"},   {-10000000, " Huge!  "}, {-12345678, " Huge!  "},
      {INT_MIN, " Huge!  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(convert([&](TestEffect& e, char* t) { e.long2string(c.value, t); }), c.text);
  }
}

// A plug-in that shows its values its own way, at its own rate.
class OwnTextEffect : public TestEffect {
public:
  void float2string(float value, char* text) override {
    char shown[32];
    std::snprintf(shown, sizeof shown, "<%g>", static_cast<double>(value));
    std::memcpy(text, shown, 8);
    text[8] = 0;
  }
  float getSampleRate() override { return 22050.0f; }
};

TEST(ValueText, GainPeriodAndLengthTextsGoThroughThePluginsOwnOperations) {
  OwnTextEffect effect;
  char text[9];
  effect.dB2string(10.0f, text);
  EXPECT_STREQ(text, "<20>");
  effect.Hz2string(100.0f, text);
  EXPECT_STREQ(text, "<220.5>");
  effect.ms2string(2205.0f, text);
  EXPECT_STREQ(text, "<100>");
  effect.long2string(42, text);
  EXPECT_STREQ(text, "     42");
}

}  // namespace

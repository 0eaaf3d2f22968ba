// The values that options take: times, MIDI events and generated signals.
#include <gtest/gtest.h>

#include "event_option.h"
#include "signal_generator.h"
#include "time_value.h"
#include "user_error.h"

namespace vstrender {
namespace {

TEST(TimeValueTest, ReadsSecondsAndMilliseconds) {
  EXPECT_DOUBLE_EQ(parseTime("2", "--tail"), 2.0);
  EXPECT_DOUBLE_EQ(parseTime("4.5s", "--tail"), 4.5);
  EXPECT_DOUBLE_EQ(parseTime("250ms", "--tail"), 0.25);
  EXPECT_DOUBLE_EQ(parseTime("0", "--tail"), 0.0);
}

TEST(TimeValueTest, RejectsWhatIsNotATimeNamingTheOption) {
  for (const char* text :
       {"", "s", "ms", "abc", "1 s", " 1", "nan", "inf", "0x10", "1min", "1..2", "-1", "-0.5s"}) {
    SCOPED_TRACE(text);
    try {
      parseTime(text, "--tail");
      ADD_FAILURE() << "accepted";
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("--tail: ", 0), 0u) << e.what();
    }
  }
}

struct GoodEvent {
  const char* text;
  double seconds;
  std::vector<uint8_t> bytes;
};

TEST(EventOptionTest, BuildsChannelMessages) {
  const GoodEvent cases[] = {
      {"2s:cc64=127", 2.0, {0xB0, 64, 127}},      {"4.5s:note84", 4.5, {0x90, 84, 100}},
      {"250ms:note84=1@10", 0.25, {0x99, 84, 1}}, {"1:off60", 1.0, {0x80, 60, 0}},
      {"3:off60=64@2", 3.0, {0x81, 60, 64}},      {"0:pc3@16", 0.0, {0xCF, 3}},
      {"0.5:bend=8192", 0.5, {0xE0, 0, 64}},      {"0.5:bend=16383", 0.5, {0xE0, 127, 127}},
      {"0:cc127=0", 0.0, {0xB0, 127, 0}},
  };
  for (const GoodEvent& c : cases) {
    SCOPED_TRACE(c.text);
    const TimedMidiEvent event = parseEventOption(c.text);
    EXPECT_DOUBLE_EQ(event.seconds, c.seconds);
    EXPECT_EQ(std::vector<uint8_t>(event.bytes.begin(), event.bytes.begin() + event.size), c.bytes);
  }
}

TEST(EventOptionTest, RejectsMalformedAndOutOfRangeEvents) {
  for (const char* text : {"2s",         "x:note1",       "-1:note1",    "1s:cc64",
                           "1s:cc=5",    "1s:cc128=1",    "1s:cc64=128", "1s:note128",
                           "1s:note",    "1s:note60=200", "1s:note60@0", "1s:note60@17",
                           "1s:note60@", "1s:pc",         "1s:pc128",    "1s:bend=16384",
                           "1s:bend",    "1s:foo",        "1s:",         "1s:cc64=99999999"}) {
    SCOPED_TRACE(text);
    try {
      parseEventOption(text);
      ADD_FAILURE() << "accepted";
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(std::string("--event ") + text + ": ", 0), 0u)
          << e.what();
    }
  }
}

TEST(SignalOptionTest, ReadsKindsAndArguments) {
  EXPECT_EQ(parseSignalOption("silence").kind, SignalSettings::Kind::kSilence);
  EXPECT_EQ(parseSignalOption("noise").kind, SignalSettings::Kind::kNoise);
  EXPECT_DOUBLE_EQ(parseSignalOption("sine").frequency, 440.0);
  EXPECT_DOUBLE_EQ(parseSignalOption("sine:1000").frequency, 1000.0);
  EXPECT_DOUBLE_EQ(parseSignalOption("impulses").intervalSeconds, 1.0);
  EXPECT_DOUBLE_EQ(parseSignalOption("impulses:250ms").intervalSeconds, 0.25);
  for (const char* text : {"square", "sine:", "sine:0", "sine:abc", "noise:3", "silence:1",
                           "impulses:0", "impulses:x"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(parseSignalOption(text), UserError);
  }
}

TEST(SignalSourceTest, ImpulsesFallOnTheirFramesAndBlocksReadAlike) {
  SignalSettings settings;
  settings.kind = SignalSettings::Kind::kImpulses;
  settings.intervalSeconds = 0.01;
  const SignalSource source(settings, 2, 1000, 1000.0);
  std::vector<float> whole(1000), pieces(1000);
  source.read(1, 0, 1000, whole.data());
  for (int start = 0; start < 1000; start += 300)
    source.read(1, start, std::min(300, 1000 - start), &pieces[start]);
  EXPECT_EQ(whole, pieces);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(whole[i], i % 10 == 0 ? 1.0f : 0.0f) << i;
}

TEST(SignalSourceTest, NoiseIsTheSameOnEveryRunAndWithinHalfScale) {
  SignalSettings settings;
  settings.kind = SignalSettings::Kind::kNoise;
  const SignalSource first(settings, 1, 4096, 44100.0), second(settings, 1, 4096, 44100.0);
  std::vector<float> a(4096), b(4096);
  first.read(0, 0, 4096, a.data());
  second.read(0, 0, 4096, b.data());
  EXPECT_EQ(a, b);
  double sum = 0.0;
  for (float v : a) {
    EXPECT_LE(std::abs(v), 0.5f);
    sum += v;
  }
  EXPECT_LT(std::abs(sum / 4096), 0.02);  // centred on zero
}

}  // namespace
}  // namespace vstrender

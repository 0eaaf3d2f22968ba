#include "midi_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "test_support.h"
#include "user_error.h"

namespace vstrender {
namespace {

using testing::readBytes;

struct ExpectedEvent {
  double seconds;
  std::vector<uint8_t> bytes;
};

std::string dataFile(const std::string& name) {
  return std::string(VSTRENDER_TEST_DATA) + "/" + name;
}

void expectEvents(const std::vector<TimedMidiEvent>& actual,
                  const std::vector<ExpectedEvent>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("event " + std::to_string(i));
    EXPECT_NEAR(actual[i].seconds, expected[i].seconds, 1e-9);
    const std::vector<uint8_t> bytes(actual[i].bytes.begin(),
                                     actual[i].bytes.begin() + actual[i].size);
    EXPECT_EQ(bytes, expected[i].bytes);
  }
}

// format0.csv: 96 ticks per quarter note at 120 beats per minute, 240 from
// tick 192 (one second) on.
const std::vector<ExpectedEvent> kFormat0Events = {
    {0.0, {0xC0, 5}},      {0.0, {0xB0, 64, 127}}, {0.0, {0x90, 60, 100}}, {0.25, {0x90, 64, 90}},
    {0.5, {0x80, 60, 0}},  {0.5, {0x90, 64, 0}},   {1.0, {0x90, 67, 80}},  {1.25, {0xE0, 0, 64}},
    {1.25, {0x90, 67, 0}}, {1.5, {0xB0, 7, 100}},  {1.5, {0xB0, 7, 90}},   {1.75, {0xB0, 7, 80}},
    {1.75, {0xB0, 64, 0}},
};

class Format0Test : public ::testing::TestWithParam<const char*> {};

TEST_P(Format0Test, ReadsTheSameEventsWithAndWithoutRunningStatus) {
  const MidiFileContents contents = readMidiFile(dataFile(GetParam()));
  EXPECT_EQ(contents.format, 0);
  EXPECT_EQ(contents.trackCount, 1);
  expectEvents(contents.events, kFormat0Events);
}

INSTANTIATE_TEST_SUITE_P(Files, Format0Test,
                         ::testing::Values("format0_running_status.mid",
                                           "format0_explicit_status.mid"));

TEST(MidiFileTest, MergesFormat1TracksThroughTheTempoMap) {
  // Track 1 holds only the tempo map (120, then 60 beats per minute from one
  // second on); tracks 2 and 3 have events at the same tick, which keep
  // track order. The system exclusive message of track 3 is not passed on.
  const MidiFileContents contents = readMidiFile(dataFile("format1_tempo_map.mid"));
  EXPECT_EQ(contents.format, 1);
  EXPECT_EQ(contents.trackCount, 3);
  expectEvents(contents.events, {{0.0, {0x90, 60, 100}},
                                 {0.5, {0x80, 60, 64}},
                                 {1.0, {0x90, 62, 100}},
                                 {1.0, {0xB1, 64, 127}},
                                 {2.0, {0x80, 62, 64}},
                                 {3.0, {0xB1, 64, 0}}});
}

TEST(MidiFileTest, SmpteDivisionCountsTicksPerSecondAndIgnoresTempo) {
  std::vector<uint8_t> bytes = readBytes(dataFile("format0_running_status.mid"));
  bytes[12] = 0xE7;  // -25: 25 frames per second
  bytes[13] = 40;    // 40 ticks per frame: 1000 ticks per second
  const MidiFileContents contents = parseMidiFile(bytes);
  ASSERT_EQ(contents.events.size(), kFormat0Events.size());
  EXPECT_NEAR(contents.events[3].seconds, 0.048, 1e-12);
  EXPECT_NEAR(contents.events.back().seconds, 0.480, 1e-12);
}

size_t find(const std::vector<uint8_t>& bytes, std::vector<uint8_t> pattern) {
  return std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end()) - bytes.begin();
}

struct Fault {
  const char* name;
  std::vector<uint8_t> (*damage)(std::vector<uint8_t>);
  const char* message;
};

const Fault kFaults[] = {
    {"empty", [](std::vector<uint8_t>) { return std::vector<uint8_t>{}; },
     "not a Standard MIDI File"},
    {"wave file",
     [](std::vector<uint8_t>) { return std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0, 0, 0}; },
     "not a Standard MIDI File"},
    {"cut in the header",
     [](std::vector<uint8_t> b) {
       b.resize(10);
       return b;
     },
     "truncated"},
    {"cut in a track",
     [](std::vector<uint8_t> b) {
       b.resize(b.size() / 2);
       return b;
     },
     "truncated"},
    {"last byte missing",
     [](std::vector<uint8_t> b) {
       b.pop_back();
       return b;
     },
     "truncated"},
    {"track missing",
     [](std::vector<uint8_t> b) {
       b.resize(find(b, {'M', 'T', 'r', 'k', 0, 0, 0, 0x15}));
       return b;
     },
     "found 2 of 3 tracks"},
    {"format 2",
     [](std::vector<uint8_t> b) {
       b[9] = 2;
       return b;
     },
     "format 2"},
    {"zero tracks",
     [](std::vector<uint8_t> b) {
       b[11] = 0;
       return b;
     },
     "no tracks"},
    {"zero division",
     [](std::vector<uint8_t> b) {
       b[12] = b[13] = 0;
       return b;
     },
     "zero ticks"},
    {"data byte first",
     [](std::vector<uint8_t> b) {
       b[find(b, {0x90, 0x3C, 0x64})] = 0x10;  // the track's first channel message loses its status
       return b;
     },
     "data byte without a status byte"},
    {"real-time status",
     [](std::vector<uint8_t> b) {
       b[find(b, {0x90, 0x3C, 0x64})] = 0xF8;
       return b;
     },
     "not allowed"},
    {"data byte above 127",
     [](std::vector<uint8_t> b) {
       b[find(b, {0x90, 0x3C, 0x64}) + 2] = 0xE4;
       return b;
     },
     "above 127"},
    {"overlong length",
     [](std::vector<uint8_t> b) {
       const size_t delta = find(b, {0x83, 0x60, 0x80});  // the delta time before a note-off
       b[delta + 1] = 0x83;
       b[delta + 2] = 0x83;
       b[delta + 3] = 0x83;
       b[delta + 4] = 0x83;
       return b;
     },
     "longer than four bytes"},
};

TEST(MidiFileTest, ReportsCorruptAndTruncatedFiles) {
  const std::vector<uint8_t> original = readBytes(dataFile("format1_tempo_map.mid"));
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    try {
      parseMidiFile(fault.damage(original));
      ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(fault.message), std::string::npos) << e.what();
    }
  }
}

TEST(MidiFileTest, NamesTheFileThatCannotBeRead) {
  try {
    readMidiFile("/nonexistent/performance.mid");
    FAIL() << "accepted";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "/nonexistent/performance.mid: cannot open MIDI file");
  }
}

}  // namespace
}  // namespace vstrender

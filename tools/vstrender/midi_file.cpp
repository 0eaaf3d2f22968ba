#include "midi_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "user_error.h"

namespace vstrender {
namespace {

constexpr uint32_t kDefaultMicrosPerQuarter = 500000;  // 120 beats per minute

std::string hexOffset(size_t offset) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%zx", offset);
  return text;
}

// Reads big-endian numbers and variable-length quantities from a range of
// the file, reporting faults with their offset in the whole file.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size, size_t base)
      : data_(data), size_(size), base_(base) {}

  bool atEnd() const { return pos_ == size_; }
  size_t remaining() const { return size_ - pos_; }
  size_t offset() const { return base_ + pos_; }

  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error(what + " at byte " + hexOffset(offset()));
  }

  uint8_t byte(const char* what) {
    if (atEnd()) fail(std::string("truncated: ") + what + " runs past the end of its chunk");
    return data_[pos_++];
  }

  uint32_t bigEndian(int bytes, const char* what) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | byte(what);
    return value;
  }

  // At most four bytes, as Standard MIDI Files allow.
  uint32_t variableLength(const char* what) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t b = byte(what);
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    fail(std::string(what) + " is longer than four bytes");
  }

  ByteReader take(size_t count, const char* what) {
    if (count > remaining()) {
      fail(std::string("truncated: ") + what + " of " + std::to_string(count) + " bytes, only " +
           std::to_string(remaining()) + " left");
    }
    ByteReader part(data_ + pos_, count, offset());
    pos_ += count;
    return part;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t base_;
  size_t pos_ = 0;
};

struct TickedEvent {
  uint64_t tick;
  TimedMidiEvent event;
};

struct TempoChange {
  uint64_t tick;
  uint32_t microsPerQuarter;
};

void readTrack(ByteReader track, std::vector<TickedEvent>& events,
               std::vector<TempoChange>& tempos) {
  uint64_t tick = 0;
  uint8_t runningStatus = 0;
  while (!track.atEnd()) {
    tick += track.variableLength("delta time");
    const uint8_t first = track.byte("event");
    if (first == 0xFF) {
      const uint8_t type = track.byte("meta event");
      ByteReader data = track.take(track.variableLength("meta event length"), "meta event");
      runningStatus = 0;  // meta and system exclusive events cancel running status
      if (type == 0x2F) return;
      if (type == 0x51) {
        if (data.remaining() != 3) data.fail("tempo event is not three bytes long");
        const uint32_t micros = data.bigEndian(3, "tempo");
        if (micros == 0) data.fail("tempo of zero microseconds per quarter note");
        tempos.push_back({tick, micros});
      }
      continue;
    }
    if (first == 0xF0 || first == 0xF7) {
      track.take(track.variableLength("system exclusive length"), "system exclusive event");
      runningStatus = 0;
      continue;
    }
    if (first > 0xF0)
      track.fail("status byte " + hexOffset(first) + " is not allowed in a MIDI file");

    TimedMidiEvent event;
    uint8_t data1 = first;
    if (first & 0x80) {
      runningStatus = first;
      data1 = track.byte("channel message");
    } else if (runningStatus == 0) {
      track.fail("data byte without a status byte");
    }
    event.bytes[0] = runningStatus;
    event.bytes[1] = data1;
    event.size = 1 + midiDataBytes(runningStatus);
    if (event.size == 3) event.bytes[2] = track.byte("channel message");
    if ((event.bytes[1] | event.bytes[2]) & 0x80) track.fail("data byte above 127");
    events.push_back({tick, event});
  }
}

// Seconds for every event: from ticks per second for SMPTE time, otherwise
// through the tempo changes of all tracks.
void assignSeconds(uint16_t division, std::vector<TickedEvent>& events,
                   std::vector<TempoChange>& tempos) {
  if (division & 0x8000) {
    const int framesPerSecond = -static_cast<int8_t>(division >> 8);
    const int ticksPerFrame = division & 0xFF;
    if ((framesPerSecond != 24 && framesPerSecond != 25 && framesPerSecond != 29 &&
         framesPerSecond != 30) ||
        ticksPerFrame == 0) {
      throw std::runtime_error("header has an invalid SMPTE time division");
    }
    const double rate = (framesPerSecond == 29 ? 29.97 : framesPerSecond) * ticksPerFrame;
    for (TickedEvent& e : events) e.event.seconds = static_cast<double>(e.tick) / rate;
    return;
  }
  if (division == 0) throw std::runtime_error("header gives zero ticks per quarter note");
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  size_t next = 0;
  uint64_t segmentTick = 0;
  double segmentSeconds = 0.0;
  double secondsPerTick = kDefaultMicrosPerQuarter * 1e-6 / division;
  for (TickedEvent& e : events) {
    while (next < tempos.size() && tempos[next].tick <= e.tick) {
      segmentSeconds += (tempos[next].tick - segmentTick) * secondsPerTick;
      segmentTick = tempos[next].tick;
      secondsPerTick = tempos[next].microsPerQuarter * 1e-6 / division;
      ++next;
    }
    e.event.seconds = segmentSeconds + (e.tick - segmentTick) * secondsPerTick;
  }
}

}  // namespace

MidiFileContents parseMidiFile(const std::vector<uint8_t>& bytes) {
  ByteReader file(bytes.data(), bytes.size(), 0);
  if (bytes.size() < 4 || std::memcmp(bytes.data(), "MThd", 4) != 0) {
    throw std::runtime_error("not a Standard MIDI File (no MThd header)");
  }
  file.take(4, "chunk name");
  const uint32_t headerLength = file.bigEndian(4, "header");
  if (headerLength < 6) file.fail("header chunk is shorter than six bytes");
  ByteReader header = file.take(headerLength, "header chunk");

  MidiFileContents contents;
  contents.format = header.bigEndian(2, "header");
  contents.trackCount = header.bigEndian(2, "header");
  const uint16_t division = header.bigEndian(2, "header");
  if (contents.format == 2)
    throw std::runtime_error("format 2 (independent patterns) is not supported");
  if (contents.format > 2)
    throw std::runtime_error("unknown format " + std::to_string(contents.format));
  if (contents.trackCount == 0) throw std::runtime_error("header declares no tracks");
  if (contents.format == 0 && contents.trackCount != 1) {
    throw std::runtime_error("format 0 file declares " + std::to_string(contents.trackCount) +
                             " tracks");
  }

  std::vector<TickedEvent> events;
  std::vector<TempoChange> tempos;
  int tracksRead = 0;
  while (tracksRead < contents.trackCount) {
    if (file.atEnd()) {
      throw std::runtime_error("truncated: found " + std::to_string(tracksRead) + " of " +
                               std::to_string(contents.trackCount) + " tracks");
    }
    ByteReader name = file.take(4, "chunk name");
    const bool isTrack = name.bigEndian(4, "chunk name") == 0x4D54726B;  // "MTrk"
    ByteReader chunk = file.take(file.bigEndian(4, "chunk length"), "chunk");
    if (!isTrack) continue;  // unknown chunks are skipped, as the format asks
    readTrack(chunk, events, tempos);
    ++tracksRead;
  }

  std::stable_sort(events.begin(), events.end(),
                   [](const TickedEvent& a, const TickedEvent& b) { return a.tick < b.tick; });
  assignSeconds(division, events, tempos);
  contents.events.reserve(events.size());
  for (const TickedEvent& e : events) contents.events.push_back(e.event);
  return contents;
}

MidiFileContents readMidiFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UserError(path + ": cannot open MIDI file");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad()) throw UserError(path + ": cannot read MIDI file");
  try {
    return parseMidiFile(bytes);
  } catch (const std::runtime_error& e) {
    throw UserError(path + ": " + e.what());
  }
}

}  // namespace vstrender

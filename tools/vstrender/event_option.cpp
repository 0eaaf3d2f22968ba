#include "event_option.h"

#include <cstdlib>

#include "time_value.h"
#include "user_error.h"

namespace vstrender {
namespace {

constexpr int kDefaultVelocity = 100;

class EventParser {
 public:
  explicit EventParser(const std::string& text) : text_(text) {}

  TimedMidiEvent parse() {
    const size_t colon = text_.find(':');
    if (colon == std::string::npos) fail("expected TIME:MESSAGE, for example 2s:cc64=127");
    TimedMidiEvent event;
    event.seconds = parseTime(text_.substr(0, colon), "--event " + text_);

    std::string message = text_.substr(colon + 1);
    int channel = 1;
    const size_t at = message.find('@');
    if (at != std::string::npos) {
      channel = number(message.substr(at + 1), 1, 16, "channel");
      message.resize(at);
    }
    const uint8_t channelBits = static_cast<uint8_t>(channel - 1);

    if (startsWith(message, "cc")) {
      const size_t equals = message.find('=');
      if (equals == std::string::npos) fail("controller needs a value, as in cc64=127");
      event.bytes = {
          static_cast<uint8_t>(0xB0 | channelBits),
          static_cast<uint8_t>(number(message.substr(2, equals - 2), 0, 127, "controller")),
          static_cast<uint8_t>(number(message.substr(equals + 1), 0, 127, "controller value"))};
      event.size = 3;
    } else if (startsWith(message, "note") || startsWith(message, "off")) {
      const bool on = startsWith(message, "note");
      const std::string rest = message.substr(on ? 4 : 3);
      const size_t equals = rest.find('=');
      const int note = number(rest.substr(0, equals), 0, 127, "note");
      int velocity = on ? kDefaultVelocity : 0;
      if (equals != std::string::npos)
        velocity = number(rest.substr(equals + 1), 0, 127, "velocity");
      event.bytes = {static_cast<uint8_t>((on ? 0x90 : 0x80) | channelBits),
                     static_cast<uint8_t>(note), static_cast<uint8_t>(velocity)};
      event.size = 3;
    } else if (startsWith(message, "pc")) {
      event.bytes = {static_cast<uint8_t>(0xC0 | channelBits),
                     static_cast<uint8_t>(number(message.substr(2), 0, 127, "program")), 0};
      event.size = 2;
    } else if (startsWith(message, "bend=")) {
      const int value = number(message.substr(5), 0, 16383, "pitch bend");
      event.bytes = {static_cast<uint8_t>(0xE0 | channelBits), static_cast<uint8_t>(value & 0x7F),
                     static_cast<uint8_t>(value >> 7)};
      event.size = 3;
    } else {
      fail("unknown message '" + message + "' (use ccN=V, noteN[=VEL], offN, pcN or bend=V)");
    }
    return event;
  }

 private:
  static bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw UserError("--event " + text_ + ": " + what);
  }

  int number(const std::string& digits, int low, int high, const char* what) const {
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
      fail(std::string(what) + " '" + digits + "' is not a number");
    }
    const long value = digits.size() > 6 ? high + 1L : std::strtol(digits.c_str(), nullptr, 10);
    if (value < low || value > high) {
      fail(std::string(what) + " " + digits + " is out of range " + std::to_string(low) + " to " +
           std::to_string(high));
    }
    return static_cast<int>(value);
  }

  const std::string& text_;
};

}  // namespace

TimedMidiEvent parseEventOption(const std::string& text) { return EventParser(text).parse(); }

}  // namespace vstrender

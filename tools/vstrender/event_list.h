// The event list of one block, laid out as the VstEvents record that the
// host passes with effProcessEvents.
#pragma once

#include <vector>

#include "aeffect.h"
#include "midi_event.h"

namespace vstrender {

class EventList {
 public:
  void clear() { events_.clear(); }
  void add(const TimedMidiEvent& event, int deltaFrames);
  bool empty() const { return events_.empty(); }

  // Valid until the next add or clear.
  VstEvents* record();

 private:
  std::vector<VstMidiEvent> events_;
  // VstEvents declares room for two event pointers; a longer list needs
  // more, so the record lives in a buffer sized for all of them.
  std::vector<VstIntPtr> storage_;
};

}  // namespace vstrender

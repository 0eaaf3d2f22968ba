#include "event_list.h"

#include <algorithm>
#include <cstddef>

namespace vstrender {

void EventList::add(const TimedMidiEvent& event, int deltaFrames) {
  VstMidiEvent midi{};
  midi.type = kVstMidiType;
  midi.byteSize = sizeof(VstMidiEvent);
  midi.deltaFrames = deltaFrames;
  for (int i = 0; i < event.size; ++i) midi.midiData[i] = static_cast<char>(event.bytes[i]);
  events_.push_back(midi);
}

VstEvents* EventList::record() {
  const size_t pointerCount = std::max<size_t>(2, events_.size());
  const size_t bytes = offsetof(VstEvents, events) + pointerCount * sizeof(VstEvent*);
  storage_.assign((bytes + sizeof(VstIntPtr) - 1) / sizeof(VstIntPtr), 0);
  auto* list = reinterpret_cast<VstEvents*>(storage_.data());
  list->numEvents = static_cast<VstInt32>(events_.size());
  VstEvent** slots = list->events;
  for (size_t i = 0; i < events_.size(); ++i) slots[i] = reinterpret_cast<VstEvent*>(&events_[i]);
  return list;
}

}  // namespace vstrender

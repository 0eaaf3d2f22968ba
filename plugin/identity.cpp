// What the instrument tells a host about itself.
#include <cstdio>
#include <cstring>

#include "feedback_looper.h"

namespace {

constexpr char kEffectName[] = "QuarvineVSTi";
constexpr char kVendorName[] = "Quarvine";
constexpr char kProductName[] = "QuarvineVSTi Feedback Loop Instrument";
constexpr VstInt32 kVendorVersion = 1;
constexpr VstInt32 kNumOutputPins = 2;

}  // namespace

bool FeedbackLooper::getEffectName(char* name) {
  std::strcpy(name, kEffectName);
  return true;
}

bool FeedbackLooper::getVendorString(char* text) {
  std::strcpy(text, kVendorName);
  return true;
}

bool FeedbackLooper::getProductString(char* text) {
  std::strcpy(text, kProductName);
  return true;
}

VstInt32 FeedbackLooper::getVendorVersion() { return kVendorVersion; }

// Only the label text with its zero and the flags are written; the rest of
// the host's record stays as the host left it. A negative pin index is no
// output of this instrument and is answered like one past the last.
bool FeedbackLooper::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
  if (index < 0 || index >= kNumOutputPins) return false;
  std::snprintf(properties->label, sizeof properties->label, "Vstx %1d", index + 1);
  properties->flags = kVstPinIsActive | kVstPinIsStereo;
  return true;
}

VstInt32 FeedbackLooper::canDo(char* text) {
  if (std::strcmp(text, "receiveVstEvents") == 0) return 1;
  if (std::strcmp(text, "receiveVstMidiEvent") == 0) return 1;
  return -1;
}

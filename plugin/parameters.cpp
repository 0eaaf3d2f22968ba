// The three parameters. Values are stored exactly as the host sends them,
// whatever their range, in the live field and in the current program.
#include <cstring>

#include "feedback_looper.h"

namespace {

struct ParameterText {
  const char* name;
  const char* label;
};

constexpr ParameterText kParameterTexts[kNumParams] = {
    {"Feedback", "%"},
    {"Loop Mix", "%"},
    {"Dry Mix", "%"},
};

bool isParameter(VstInt32 index) { return index >= 0 && index < kNumParams; }

}  // namespace

void FeedbackLooper::setParameter(VstInt32 index, float value) {
  LooperProgram& program = programs[curProgram];
  switch (index) {
    case kFeedback:
      program.feedback = feedback = value;
      break;
    case kLoopMix:
      program.loopMix = loopMix = value;
      break;
    case kDryMix:
      program.dryMix = dryMix = value;
      break;
    default:
      break;
  }
}

float FeedbackLooper::getParameter(VstInt32 index) {
  switch (index) {
    case kFeedback:
      return feedback;
    case kLoopMix:
      return loopMix;
    case kDryMix:
      return dryMix;
    default:
      return 0.0f;
  }
}

void FeedbackLooper::getParameterName(VstInt32 index, char* text) {
  if (isParameter(index)) std::strcpy(text, kParameterTexts[index].name);
}

void FeedbackLooper::getParameterLabel(VstInt32 index, char* label) {
  if (isParameter(index)) std::strcpy(label, kParameterTexts[index].label);
}

void FeedbackLooper::getParameterDisplay(VstInt32 index, char* text) {
  text[0] = 0;
  if (isParameter(index)) float2string(getParameter(index), text);
}

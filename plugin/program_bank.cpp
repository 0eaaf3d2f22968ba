// The bank of programs: selecting, naming, listing and copying them.
#include <cstring>

#include "feedback_looper.h"

namespace {

// Program numbers from the host are checked on both sides: the bank has no
// record below 0 or from kNumPrograms on.
bool isProgram(VstInt32 index) { return index >= 0 && index < kNumPrograms; }

}  // namespace

void FeedbackLooper::setProgram(VstInt32 program) {
  if (!isProgram(program)) return;
  curProgram = program;
  const LooperProgram& selected = programs[program];
  feedback = selected.feedback;
  loopMix = selected.loopMix;
  dryMix = selected.dryMix;
}

// A longer name is cut to what the record holds: 23 characters and the zero.
void FeedbackLooper::setProgramName(char* name) {
  char* stored = programs[curProgram].name;
  std::strncpy(stored, name, LooperProgram::kNameSize - 1);
  stored[LooperProgram::kNameSize - 1] = 0;
}

void FeedbackLooper::getProgramName(char* name) { std::strcpy(name, programs[curProgram].name); }

bool FeedbackLooper::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
  if (!isProgram(index)) return false;
  std::strcpy(text, programs[index].name);
  return true;
}

bool FeedbackLooper::copyProgram(VstInt32 destination) {
  if (!isProgram(destination)) return false;
  programs[destination] = programs[curProgram];
  return true;
}

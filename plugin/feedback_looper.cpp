#include "feedback_looper.h"

#include <new>

#include "create_instance.h"

namespace {
constexpr VstInt32 kUniqueId = fourCharCode('Q', 'v', 'F', 'b');
}

FeedbackLooper::FeedbackLooper(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams) {
  programs = new (std::nothrow) LooperProgram[kNumPrograms];
  if (programs) setProgram(0);
  if (audioMaster) {
    setNumInputs(1);
    setNumOutputs(2);
    canProcessReplacing(true);
    hasVu(false);
    hasClip(false);
    setUniqueID(kUniqueId);
  }
  engine.initEngine();
}

FeedbackLooper::~FeedbackLooper() { delete[] programs; }

bool FeedbackLooper::isComplete() const {
  return programs != nullptr && engine.loopBuffer != nullptr;
}

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  FeedbackLooper* looper = new (std::nothrow) FeedbackLooper(audioMaster);
  // An instance without its program bank or its first loop buffer is never
  // handed to a host: it is released and the host gets no instance.
  if (looper && !looper->isComplete()) {
    delete looper;
    return nullptr;
  }
  return looper;
}

// The accumulating entry is not supported: it leaves outputs and loop alone.
void FeedbackLooper::process(float**, float**, VstInt32) {}

void FeedbackLooper::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  // Many hosts pass exactly as many input pointers as the plug-in declares,
  // which is one. The second entry is read only once the host has said that
  // it passes a second input; until then every block is one channel.
  const float* secondInput = secondInputConnected ? inputs[1] : nullptr;
  engine.processReplacing(inputs[0], secondInput, outputs[0], outputs[1], sampleFrames,
                          {feedback, loopMix, dryMix});
}

void FeedbackLooper::inputConnected(VstInt32 index, bool state) {
  if (index == 1) secondInputConnected = state;
}

VstInt32 FeedbackLooper::processEvents(VstEvents* events) {
  VstEvent* const* list = events->events;
  for (VstInt32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = list[i];
    // An empty slot in the host's list is skipped like an event of another kind.
    if (event == nullptr || event->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    engine.handleMidiMessage(static_cast<unsigned char>(midi->midiData[0]) & 0xF0,
                             static_cast<int8_t>(midi->midiData[1]),
                             static_cast<int8_t>(midi->midiData[2]));
  }
  return 1;
}

// Every resume asks the host again to deliver MIDI; the loop plays on.
void FeedbackLooper::resume() { wantEvents(1); }

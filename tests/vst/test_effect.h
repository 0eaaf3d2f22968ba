// The smallest complete effect: both base classes with all their defaults and
// the one operation that they leave to every plug-in.
#pragma once

#include "audio_effect_x.h"

class TestEffect : public AudioEffectX {
public:
  explicit TestEffect(audioMasterCallback host = nullptr, VstInt32 numPrograms = 8,
                      VstInt32 numParams = 2)
      : AudioEffectX(host, numPrograms, numParams) {}

  void process(float**, float**, VstInt32) override {}
};

// The library's one exported function. A C++ function cannot be called main
// with this signature, so it has another name and the symbol name main.
#include "create_instance.h"

extern "C" __attribute__((visibility("default"))) AEffect* pluginMain(
    audioMasterCallback audioMaster) __asm__("main");

AEffect* pluginMain(audioMasterCallback audioMaster) {
  // Without a host to answer the version query there is no instance.
  if (audioMaster == nullptr) return nullptr;
  if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  AudioEffect* effect = createEffectInstance(audioMaster);
  return effect ? effect->getAeffect() : nullptr;
}

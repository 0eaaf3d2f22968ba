#pragma once

#include "audio_effect.h"

// Made by the plug-in for the exported entry point: a new, complete instance,
// or null when one cannot be made whole.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

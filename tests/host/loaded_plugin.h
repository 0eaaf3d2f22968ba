// The built plug-in, loaded as a host loads it. Tests reach it only through
// its exported `main` and the records that `main` returns.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../support/fake_host.h"
#include "aeffect.h"

typedef AEffect* (*PluginMain)(audioMasterCallback);

// A host answer to the version query; any answer but 0 lets `main` proceed.
constexpr VstIntPtr kHostVersion = 2400;

// One request through the record's dispatcher entry.
inline VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0,
                          VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

class LoadedPluginTest : public ::testing::Test {
protected:
  void SetUp() override {
    FakeHost::reset(kHostVersion);
    library = dlopen(QUARVINE_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    pluginMain = reinterpret_cast<PluginMain>(dlsym(library, "main"));
    ASSERT_NE(pluginMain, nullptr) << dlerror();
  }

  // Closes whatever a test left open, then unloads the library.
  void TearDown() override {
    while (!openEffects.empty()) close(openEffects.back());
    if (library) dlclose(library);
  }

  AEffect* create() {
    AEffect* effect = pluginMain(FakeHost::callback);
    if (effect) openEffects.push_back(effect);
    return effect;
  }

  VstIntPtr close(AEffect* effect) {
    openEffects.erase(std::find(openEffects.begin(), openEffects.end(), effect));
    return dispatch(effect, effClose);
  }

  void* library = nullptr;
  PluginMain pluginMain = nullptr;
  std::vector<AEffect*> openEffects;
};

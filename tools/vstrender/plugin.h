// One plug-in instance, driven through its effect record as a DAW drives it:
// created and opened on construction; suspended, closed and unloaded on
// destruction.
#pragma once

#include <memory>
#include <string>

#include "aeffect.h"
#include "host_callback.h"
#include "plugin_library.h"

namespace vstrender {

class Plugin {
 public:
  // Throws UserError naming the file for every fault of the library or record.
  explicit Plugin(const std::string& path);
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  const AEffect& effect() const { return *effect_; }
  const PluginLibrary& library() const { return library_; }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  // Asks for a text with a request that fills a buffer; empty when the
  // plug-in gives none.
  std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

  void setSampleRate(float sampleRate);
  void setBlockSize(int blockSize);
  void setParameter(int index, float value) { effect_->setParameter(effect_, index, value); }
  float parameter(int index) { return effect_->getParameter(effect_, index); }

  void resume();
  void suspend();

  // Runs processReplacing, or process into outputs cleared first.
  void process(float** inputs, float** outputs, int frames);

 private:
  // Declared first: the library must outlive the instance.
  PluginLibrary library_;
  std::unique_ptr<HostState> host_;
  AEffect* effect_ = nullptr;
  bool resumed_ = false;
};

}  // namespace vstrender

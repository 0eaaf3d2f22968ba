#include "plugin.h"

#include <algorithm>
#include <utility>

#include "user_error.h"

namespace vstrender {
namespace {

// Plug-ins are asked for at most 64 characters of text, but some write
// more; the margin keeps that inside the buffer.
constexpr size_t kTextBufferSize = 512;
// More pins than any real plug-in has: a larger count is a broken record.
constexpr int kMaxPins = 256;

}  // namespace

Plugin::Plugin(const std::string& path) : library_(path), host_(std::make_unique<HostState>()) {
  {
    ScopedPendingHost pending(host_.get());
    effect_ = library_.createEffect(&hostCallback);
  }
  effect_->user = host_.get();
  for (const auto& [count, what] :
       {std::pair{effect_->numInputs, "inputs"}, std::pair{effect_->numOutputs, "outputs"}}) {
    if (count < 0 || count > kMaxPins) {
      dispatch(effClose);
      throw UserError(path + ": the effect declares " + std::to_string(count) + " audio " + what);
    }
  }
  dispatch(effOpen);
}

Plugin::~Plugin() {
  if (resumed_) suspend();
  dispatch(effClose);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
  char buffer[kTextBufferSize] = {};
  dispatch(opcode, index, value, buffer);
  buffer[kTextBufferSize - 1] = '\0';
  return buffer;
}

void Plugin::setSampleRate(float sampleRate) {
  host_->sampleRate = sampleRate;
  dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
}

void Plugin::setBlockSize(int blockSize) {
  host_->blockSize = blockSize;
  dispatch(effSetBlockSize, 0, blockSize);
}

void Plugin::resume() {
  dispatch(effMainsChanged, 0, 1);
  resumed_ = true;
}

void Plugin::suspend() {
  dispatch(effMainsChanged, 0, 0);
  resumed_ = false;
}

void Plugin::process(float** inputs, float** outputs, int frames) {
  if (effect_->flags & effFlagsCanReplacing) {
    effect_->processReplacing(effect_, inputs, outputs, frames);
    return;
  }
  for (int i = 0; i < effect_->numOutputs; ++i) std::fill(outputs[i], outputs[i] + frames, 0.0f);
  effect_->process(effect_, inputs, outputs, frames);
}

}  // namespace vstrender

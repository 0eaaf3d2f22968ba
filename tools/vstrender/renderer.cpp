#include "renderer.h"

#include <algorithm>
#include <cmath>

#include "event_list.h"
#include "pin_array.h"
#include "user_error.h"

namespace vstrender {
namespace {

struct FramedEvent {
  int64_t frame;
  TimedMidiEvent event;
};

std::vector<FramedEvent> eventsInFrames(const std::vector<TimedMidiEvent>& events,
                                        double sampleRate) {
  std::vector<FramedEvent> framed;
  framed.reserve(events.size());
  for (const TimedMidiEvent& e : events)
    framed.push_back({std::llround(e.seconds * sampleRate), e});
  std::stable_sort(framed.begin(), framed.end(),
                   [](const FramedEvent& a, const FramedEvent& b) { return a.frame < b.frame; });
  return framed;
}

void configure(Plugin& plugin, const RenderJob& job, int inputsPassed) {
  const AEffect& effect = plugin.effect();
  plugin.setSampleRate(static_cast<float>(job.sampleRate));
  plugin.setBlockSize(job.blockSize);
  if (job.program >= 0) {
    if (job.program >= effect.numPrograms) {
      throw UserError("--program " + std::to_string(job.program) + ": the plug-in has " +
                      std::to_string(effect.numPrograms) + " programs (0 to " +
                      std::to_string(effect.numPrograms - 1) + ")");
    }
    plugin.dispatch(effSetProgram, 0, job.program);
  }
  for (const auto& [index, value] : job.parameters) {
    if (index >= effect.numParams) {
      throw UserError("--param " + std::to_string(index) + ": the plug-in has " +
                      std::to_string(effect.numParams) + " parameters");
    }
    plugin.setParameter(index, value);
  }
  for (int i = 0; i < inputsPassed; ++i) plugin.dispatch(effConnectInput, i, 1);
  for (int i = 0; i < effect.numOutputs; ++i) plugin.dispatch(effConnectOutput, i, 1);
}

}  // namespace

int inputsToPass(int declaredInputs, int sourceChannels) {
  if (declaredInputs == 0) return 0;
  return std::max(declaredInputs, sourceChannels);
}

RenderReport render(Plugin& plugin, const RenderJob& job, AudioSink& sink,
                    const ProgressCallback& progress) {
  const AEffect& effect = plugin.effect();
  const InputSource& source = *job.input;
  const int sourceChannels = source.channelCount();
  const int64_t sourceFrames = source.frameCount();
  RenderReport report;
  report.inputsPassed = inputsToPass(effect.numInputs, sourceChannels);
  configure(plugin, job, report.inputsPassed);

  const size_t blockSize = static_cast<size_t>(job.blockSize);
  std::vector<std::vector<float>> inputBuffers(report.inputsPassed, std::vector<float>(blockSize));
  std::vector<std::vector<float>> outputBuffers(effect.numOutputs, std::vector<float>(blockSize));
  PinArray inputs(report.inputsPassed);
  PinArray outputs(effect.numOutputs);
  for (int i = 0; i < report.inputsPassed; ++i) inputs[i] = inputBuffers[i].data();
  for (int i = 0; i < effect.numOutputs; ++i) outputs[i] = outputBuffers[i].data();

  const std::vector<FramedEvent> events = eventsInFrames(job.events, job.sampleRate);
  size_t nextEvent = 0;
  EventList list;

  plugin.resume();
  for (int64_t start = 0; start < job.totalFrames; start += job.blockSize) {
    const int frames = static_cast<int>(std::min<int64_t>(job.blockSize, job.totalFrames - start));

    list.clear();
    while (nextEvent < events.size() && events[nextEvent].frame < start + frames) {
      list.add(events[nextEvent].event,
               static_cast<int>(std::max<int64_t>(0, events[nextEvent].frame - start)));
      ++nextEvent;
      ++report.eventsSent;
    }
    if (!list.empty()) plugin.dispatch(effProcessEvents, 0, 0, list.record());

    // A mono source feeds every input; a stereo one feeds the first two.
    for (int i = 0; i < report.inputsPassed; ++i) {
      float* buffer = inputBuffers[i].data();
      std::fill(buffer, buffer + frames, 0.0f);
      if (sourceChannels == 0 || (sourceChannels == 2 && i >= 2)) continue;
      const int64_t available = std::clamp<int64_t>(sourceFrames - start, 0, frames);
      if (available > 0)
        source.read(sourceChannels == 1 ? 0 : i, start, static_cast<int>(available), buffer);
    }

    plugin.process(inputs.data(), outputs.data(), frames);
    sink.write(outputs.data(), frames);
    if (progress) progress(start + frames, job.totalFrames);
  }
  plugin.suspend();
  report.eventsPastEnd = static_cast<int64_t>(events.size() - nextEvent);
  return report;
}

}  // namespace vstrender

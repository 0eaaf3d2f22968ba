// The loaded instrument played as a host plays it: MIDI event lists through
// the dispatcher and audio blocks through processReplacing.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <vector>

#include "loaded_plugin.h"

namespace {

constexpr int kBlockFrames = 512;
constexpr int kOneSecond = 44100;

struct MidiMessage {
  unsigned char status;
  unsigned char data1;
  unsigned char data2;
};

// Sends one event list as a host does: a VstEvents list with room for every
// event, pointing at VstMidiEvent records.
VstIntPtr sendMidi(AEffect* effect, const std::vector<MidiMessage>& messages) {
  std::vector<VstMidiEvent> events(messages.size());
  std::vector<unsigned char> storage(sizeof(VstEvents) + messages.size() * sizeof(VstEvent*));
  auto* list = new (storage.data()) VstEvents{};
  list->numEvents = static_cast<VstInt32>(messages.size());
  VstEvent** slots = list->events;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    VstMidiEvent& event = events[i];
    event = VstMidiEvent{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = static_cast<VstInt32>(i);
    event.midiData[0] = static_cast<char>(messages[i].status);
    event.midiData[1] = static_cast<char>(messages[i].data1);
    event.midiData[2] = static_cast<char>(messages[i].data2);
    slots[i] = reinterpret_cast<VstEvent*>(&event);
  }
  return dispatch(effect, effProcessEvents, 0, 0, list);
}

constexpr MidiMessage kPedalDown{0xB0, 64, 127};
constexpr MidiMessage kPedalUp{0xB0, 64, 0};
MidiMessage loopSeconds(unsigned char value) { return {0xB0, 127, value}; }

struct Outputs {
  std::vector<float> first;
  std::vector<float> second;
};

// Runs the input through processReplacing in blocks. Without a second input
// the host passes an input array of one entry, as hosts do for a plug-in
// that declares one input.
Outputs play(AEffect* effect, std::vector<float> first, std::vector<float> second = {}) {
  const std::size_t frames = first.size();
  Outputs out{std::vector<float>(frames), std::vector<float>(frames)};
  for (std::size_t start = 0; start < frames; start += kBlockFrames) {
    const VstInt32 count = static_cast<VstInt32>(std::min<std::size_t>(kBlockFrames, frames - start));
    float* outputs[2] = {out.first.data() + start, out.second.data() + start};
    if (second.empty()) {
      float* inputs[1] = {first.data() + start};
      effect->processReplacing(effect, inputs, outputs, count);
    } else {
      float* inputs[2] = {first.data() + start, second.data() + start};
      effect->processReplacing(effect, inputs, outputs, count);
    }
  }
  return out;
}

std::vector<float> silence(std::size_t frames) { return std::vector<float>(frames, 0.0f); }

// The frame of the first sample that is not 0, or -1.
long firstSound(const std::vector<float>& samples) {
  for (std::size_t i = 0; i < samples.size(); ++i)
    if (samples[i] != 0.0f) return static_cast<long>(i);
  return -1;
}

using LoopingPlugin = LoadedPluginTest;

TEST_F(LoopingPlugin, APhraseRecordedWithThePedalIsHeardExactlyOneLoopLater) {
  AEffect* effect = create();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(sendMidi(effect, {loopSeconds(1)}), 1);

  std::vector<float> phrase(1000);
  for (std::size_t i = 0; i < phrase.size(); ++i) phrase[i] = 0.5f + static_cast<float>(i) / 4000;
  EXPECT_EQ(sendMidi(effect, {kPedalDown}), 1);
  const Outputs recording = play(effect, phrase);
  EXPECT_EQ(sendMidi(effect, {kPedalUp}), 1);
  const Outputs firstLap = play(effect, silence(kOneSecond - phrase.size()));
  const Outputs secondLap = play(effect, silence(kOneSecond));
  const Outputs thirdLap = play(effect, silence(kOneSecond));

  EXPECT_EQ(firstSound(recording.first), -1) << "nothing is heard before one loop";
  EXPECT_EQ(firstSound(firstLap.first), -1);
  // The record gain ramps up from 0 by 0.005 per frame until it passes 1.
  std::vector<float> expected = silence(kOneSecond);
  float gain = 0.0f;
  for (std::size_t i = 0; i < phrase.size(); ++i) {
    if (gain < 1.0f) gain += 0.005f;
    expected[i] = gain * phrase[i];
  }
  EXPECT_EQ(secondLap.first, expected);
  EXPECT_EQ(thirdLap.first, expected) << "the loop repeats unchanged";
  EXPECT_EQ(secondLap.second, secondLap.first) << "mono output is copied to output 2";
  EXPECT_EQ(thirdLap.second, thirdLap.first);
}

TEST_F(LoopingPlugin, ControllerOneTwentySevenSetsTheLoopLengthInSeconds) {
  struct Case {
    unsigned char value;
    long frames;
  };
  const Case cases[] = {{1, kOneSecond}, {3, 3 * kOneSecond}, {0, 4 * kOneSecond},
                        {100, 8 * kOneSecond}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.value));
    AEffect* effect = create();
    ASSERT_NE(effect, nullptr);
    sendMidi(effect, {loopSeconds(c.value), kPedalDown});
    play(effect, {1.0f});
    sendMidi(effect, {kPedalUp});
    const Outputs heard = play(effect, silence(9 * kOneSecond));
    EXPECT_EQ(firstSound(heard.first), c.frames - 1);
    close(effect);
  }
}

TEST_F(LoopingPlugin, TheSecondInputIsUsedOnlyOnceTheHostConnectsIt) {
  AEffect* effect = create();
  ASSERT_NE(effect, nullptr);
  effect->setParameter(effect, 1, 0.0f);  // loop mix
  effect->setParameter(effect, 2, 1.0f);  // dry mix: the outputs show the inputs
  const std::vector<float> left{0.25f, 0.5f, 0.75f};
  const std::vector<float> right{-1.0f, -2.0f, -3.0f};

  Outputs mono = play(effect, left, right);
  EXPECT_EQ(mono.first, left);
  EXPECT_EQ(mono.second, left);

  EXPECT_EQ(dispatch(effect, effConnectInput, 1, 1), 1);
  Outputs stereo = play(effect, left, right);
  EXPECT_EQ(stereo.first, left);
  EXPECT_EQ(stereo.second, right);

  EXPECT_EQ(dispatch(effect, effConnectInput, 1, 0), 1);
  mono = play(effect, left);
  EXPECT_EQ(mono.first, left);
  EXPECT_EQ(mono.second, left);
}

TEST_F(LoopingPlugin, AStereoLoopKeepsEachChannelsRecording) {
  AEffect* effect = create();
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(dispatch(effect, effConnectInput, 1, 1), 1);
  play(effect, {0.0f}, {0.0f});  // the first stereo block: lengths now count two channels
  sendMidi(effect, {loopSeconds(1), kPedalDown});
  play(effect, {1.0f}, {2.0f});
  sendMidi(effect, {kPedalUp});

  const Outputs heard = play(effect, silence(kOneSecond), silence(kOneSecond));

  EXPECT_EQ(firstSound(heard.first), kOneSecond - 1);
  EXPECT_EQ(firstSound(heard.second), kOneSecond - 1);
  EXPECT_EQ(heard.first.back(), 0.005f);
  EXPECT_EQ(heard.second.back(), 0.01f);
}

}  // namespace

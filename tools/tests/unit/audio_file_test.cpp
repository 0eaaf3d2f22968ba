#include "audio_file.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "user_error.h"

namespace vstrender {
namespace {

using testing::TempDir;

AudioBuffer ramp(int channels, int frames) {
  AudioBuffer audio;
  audio.sampleRate = 48000;
  audio.channels.assign(channels, std::vector<float>(frames));
  for (int c = 0; c < channels; ++c) {
    for (int i = 0; i < frames; ++i) audio.channels[c][i] = (c + 1) * (i - frames / 2) / 1000.0f;
  }
  return audio;
}

void expectReadFails(const std::string& path, const std::string& message) {
  try {
    readAudioFile(path);
    ADD_FAILURE() << path << " accepted";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(path + ": ", 0), 0u) << e.what();
    EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
  }
}

TEST(AudioFileTest, FloatsSurviveWritingAndReadingBeyondFullScale) {
  TempDir dir;
  for (int channels : {1, 2}) {
    const AudioBuffer written = ramp(channels, 3000);  // reaches 3.0, far above full scale
    testing::writeWav(dir.path("ramp.wav"), written);
    const AudioBuffer read = readAudioFile(dir.path("ramp.wav"));
    EXPECT_EQ(read.sampleRate, 48000);
    EXPECT_EQ(read.channels, written.channels);
  }
}

TEST(AudioFileTest, RefusesMissingCorruptTruncatedAndWideFiles) {
  TempDir dir;
  testing::writeWav(dir.path("good.wav"), ramp(1, 1000));
  std::vector<uint8_t> bytes = testing::readBytes(dir.path("good.wav"));
  testing::writeBytes(dir.path("truncated.wav"), {bytes.begin(), bytes.end() - 1000});
  testing::writeBytes(dir.path("header.wav"), {bytes.begin(), bytes.begin() + 30});
  testing::writeBytes(dir.path("text.wav"), {'h', 'e', 'l', 'l', 'o', '\n'});
  testing::writeWav(dir.path("wide.wav"), ramp(3, 10));

  expectReadFails(dir.path("missing.wav"), "no such audio file");
  expectReadFails(dir.root(), "not a regular file");
  expectReadFails(dir.path("truncated.wav"), "truncated");
  expectReadFails(dir.path("header.wav"), "cannot read audio");
  expectReadFails(dir.path("text.wav"), "cannot read audio");
  expectReadFails(dir.path("wide.wav"), "3 channels");
}

TEST(AudioFileTest, OnlyACommittedFileAppearsUnderItsName) {
  TempDir dir;
  const AudioBuffer audio = ramp(2, 100);
  const float* channels[] = {audio.channels[0].data(), audio.channels[1].data()};
  {
    AudioFileWriter writer(dir.path("abandoned.wav"), 2, 44100);
    writer.write(channels, 100);
    EXPECT_EQ(dir.entries().size(), 1u);  // the temporary file, under another name
    EXPECT_FALSE(testing::fileExists(dir.path("abandoned.wav")));
  }
  EXPECT_TRUE(dir.entries().empty());

  AudioFileWriter writer(dir.path("done.flac"), 2, 44100);
  writer.write(channels, 100);
  writer.commit();
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"done.flac"});
  EXPECT_EQ(readAudioFile(dir.path("done.flac")).frameCount(), 100);
}

TEST(AudioFileTest, RefusesOutputNamesItCannotWrite) {
  TempDir dir;
  EXPECT_THROW(AudioFileWriter(dir.path("out.xyz"), 1, 44100), UserError);
  EXPECT_THROW(AudioFileWriter(dir.path("missing/out.wav"), 1, 44100), UserError);
  EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
}  // namespace vstrender

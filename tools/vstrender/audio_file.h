// Audio files through libsndfile: whole-file reading, and writing that only
// leaves a file under its final name once it is complete.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>
#include <vector>

#include "audio_buffer.h"

namespace vstrender {

// Reads a mono or stereo file; throws UserError naming the file when it is
// missing, unreadable, corrupt, truncated or has more than two channels.
AudioBuffer readAudioFile(const std::string& path);

// Writes 32-bit float samples (24-bit for FLAC, Vorbis for Ogg) in the
// format that the file name's extension asks for, into a temporary file
// beside it that commit() renames; a writer destroyed before commit()
// removes the temporary file.
class AudioFileWriter {
 public:
  AudioFileWriter(const std::string& path, int channels, double sampleRate);
  ~AudioFileWriter();
  AudioFileWriter(const AudioFileWriter&) = delete;
  AudioFileWriter& operator=(const AudioFileWriter&) = delete;

  // channels[c] points to `frames` samples of channel c.
  void write(const float* const* channels, int frames);
  void commit();

 private:
  int closeFile();

  std::string path_;
  std::string tempPath_;
  SNDFILE* file_ = nullptr;
  int channels_;
  std::vector<float> interleaved_;
};

}  // namespace vstrender

#include "audio_file.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "interrupt_cleanup.h"
#include "user_error.h"

namespace vstrender {
namespace {

// libsndfile opens a file whose audio data was cut short and silently
// shortens it; its log shows the data chunk's declared size next to the
// size that the file holds ("data : 88200 (should be 44100)").
bool logShowsTruncatedData(const std::string& log) {
  std::istringstream lines(log);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("data", 0) != 0 && line.rfind("SSND", 0) != 0) continue;
    const size_t colon = line.find(':');
    const size_t should = line.find("(should be ");
    if (colon == std::string::npos || should == std::string::npos) continue;
    const unsigned long long declared = std::strtoull(line.c_str() + colon + 1, nullptr, 10);
    const unsigned long long actual = std::strtoull(line.c_str() + should + 11, nullptr, 10);
    if (declared > actual && declared < 0xFFFFFFFFull) return true;  // all ones: length unknown
  }
  return false;
}

std::string lowerExtension(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

int formatForExtension(const std::string& path) {
  const std::string extension = lowerExtension(path);
  if (extension == "wav") return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  if (extension == "aif" || extension == "aiff") return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
  if (extension == "caf") return SF_FORMAT_CAF | SF_FORMAT_FLOAT;
  if (extension == "au") return SF_FORMAT_AU | SF_FORMAT_FLOAT;
  if (extension == "w64") return SF_FORMAT_W64 | SF_FORMAT_FLOAT;
  if (extension == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
  if (extension == "ogg") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
  throw UserError(path + ": unknown output format '." + extension +
                  "' (use .wav, .aiff, .caf, .au, .w64, .flac or .ogg)");
}

}  // namespace

AudioBuffer readAudioFile(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) throw UserError(path + ": no such audio file");
  if (!S_ISREG(status.st_mode)) throw UserError(path + ": not a regular file");
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) throw UserError(path + ": cannot read audio: " + sf_strerror(nullptr));

  if (info.channels > 2) {
    sf_close(file);
    throw UserError(path + ": has " + std::to_string(info.channels) +
                    " channels; vstrender takes mono or stereo input");
  }
  char log[8192] = {};
  sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
  AudioBuffer buffer;
  buffer.sampleRate = info.samplerate;
  std::vector<float> interleaved(static_cast<size_t>(info.frames) * info.channels);
  const sf_count_t read =
      info.frames > 0 ? sf_readf_float(file, interleaved.data(), info.frames) : 0;
  const int readError = sf_error(file);
  sf_close(file);

  if (logShowsTruncatedData(log) || read < info.frames || readError != SF_ERR_NO_ERROR) {
    throw UserError(path + ": truncated or corrupt audio data (" + std::to_string(read) + " of " +
                    std::to_string(info.frames) + " frames readable)");
  }
  buffer.channels.assign(info.channels, std::vector<float>(info.frames));
  for (sf_count_t i = 0; i < info.frames; ++i) {
    for (int c = 0; c < info.channels; ++c)
      buffer.channels[c][i] = interleaved[i * info.channels + c];
  }
  return buffer;
}

AudioFileWriter::AudioFileWriter(const std::string& path, int channels, double sampleRate)
    : path_(path), tempPath_(path + ".part-" + std::to_string(getpid())), channels_(channels) {
  SF_INFO info{};
  info.samplerate = static_cast<int>(sampleRate);
  info.channels = channels;
  info.format = formatForExtension(path);
  if (!sf_format_check(&info)) {
    throw UserError(path + ": this format cannot hold " + std::to_string(channels) +
                    " channels at " + std::to_string(info.samplerate) + " Hz");
  }
  removeOnInterrupt(tempPath_);
  errno = 0;
  file_ = sf_open(tempPath_.c_str(), SFM_WRITE, &info);
  if (file_ == nullptr) {
    forgetOnInterrupt();
    throw UserError(
        path + ": cannot write: " + (errno != 0 ? std::strerror(errno) : sf_strerror(nullptr)));
  }
  // Floats above full scale stay as they are; the plug-in's level is the point.
  sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_FALSE);
}

AudioFileWriter::~AudioFileWriter() {
  if (file_ != nullptr) {
    closeFile();
    std::remove(tempPath_.c_str());
  }
  forgetOnInterrupt();
}

void AudioFileWriter::write(const float* const* channels, int frames) {
  interleaved_.resize(static_cast<size_t>(frames) * channels_);
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < channels_; ++c)
      interleaved_[static_cast<size_t>(i) * channels_ + c] = channels[c][i];
  }
  if (sf_writef_float(file_, interleaved_.data(), frames) != frames) {
    throw UserError(path_ + ": write failed: " + sf_strerror(file_));
  }
}

void AudioFileWriter::commit() {
  if (closeFile() != SF_ERR_NO_ERROR) {
    std::remove(tempPath_.c_str());
    throw UserError(path_ + ": write failed while closing the file");
  }
  if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    std::remove(tempPath_.c_str());
    throw UserError(path_ + ": cannot rename the finished file into place");
  }
}

int AudioFileWriter::closeFile() {
  const int result = sf_close(file_);
  file_ = nullptr;
  return result;
}

}  // namespace vstrender

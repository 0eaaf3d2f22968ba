// Helpers shared by vstrender's tests: running the program, temporary
// folders, audio captured in memory, and the rule for things a test needs
// from the system.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "audio_buffer.h"
#include "renderer.h"

namespace vstrender::testing {

struct ProcessResult {
  int exitCode = -1;  // the signal number, negated, when the process was killed
  std::string out;
  std::string err;
};

// Runs a program with the environment of the tests plus `extraEnvironment`
// ("NAME=value" entries, which override), without a shell.
ProcessResult runProcess(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& extraEnvironment = {});

// Starts a program as runProcess does, with its output sent to the files
// given; waitForExit returns its exit code as ProcessResult::exitCode has it.
pid_t startProcess(const std::vector<std::string>& arguments,
                   const std::string& outPath = "/dev/null",
                   const std::string& errPath = "/dev/null",
                   const std::vector<std::string>& extraEnvironment = {});
int waitForExit(pid_t pid);

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string path(const std::string& name) const { return root_ + "/" + name; }
  const std::string& root() const { return root_; }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string root_;
};

class MemorySink : public AudioSink {
 public:
  explicit MemorySink(int channels) : channels_(channels) {}
  void write(const float* const* channels, int frames) override;
  const std::vector<std::vector<float>>& channels() const { return channels_; }

 private:
  std::vector<std::vector<float>> channels_;
};

void writeWav(const std::string& path, const AudioBuffer& audio);
std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

bool fileExists(const std::string& path);
// CI sets CI; there a missing system dependency fails the test.
inline bool inContinuousIntegration() { return std::getenv("CI") != nullptr; }

}  // namespace vstrender::testing

// Fails in CI, skips elsewhere, when `path` is missing; `package` names the
// Debian package that provides it.
#define VSTRENDER_REQUIRE_FILE(path, package)                                                \
  do {                                                                                       \
    if (!vstrender::testing::fileExists(path)) {                                             \
      if (vstrender::testing::inContinuousIntegration()) {                                   \
        FAIL() << (path) << " is missing; CI must install the Debian package " << (package); \
      }                                                                                      \
      GTEST_SKIP() << (path) << " is missing; install the Debian package " << (package);     \
    }                                                                                        \
  } while (false)

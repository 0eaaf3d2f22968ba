#include "test_support.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "audio_file.h"

extern char** environ;

namespace vstrender::testing {
namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void removeTree(const std::string& path) {
  if (DIR* dir = opendir(path.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string child = path + "/" + name;
      struct stat status;
      if (lstat(child.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        removeTree(child);
      } else {
        unlink(child.c_str());
      }
    }
    closedir(dir);
  }
  rmdir(path.c_str());
}

}  // namespace

pid_t startProcess(const std::vector<std::string>& arguments, const std::string& outPath,
                   const std::string& errPath, const std::vector<std::string>& extraEnvironment) {
  std::vector<std::string> environment = extraEnvironment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    const bool overridden =
        std::any_of(extraEnvironment.begin(), extraEnvironment.end(),
                    [&](const std::string& e) { return e.rfind(name + "=", 0) == 0; });
    if (!overridden) environment.push_back(variable);
  }
  std::vector<char*> argv, envp;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  const int spawnError = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0)
    throw std::runtime_error("cannot run " + arguments[0] + ": " + std::strerror(spawnError));
  return pid;
}

int waitForExit(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

ProcessResult runProcess(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& extraEnvironment) {
  TempDir capture;
  ProcessResult result;
  result.exitCode = waitForExit(
      startProcess(arguments, capture.path("stdout"), capture.path("stderr"), extraEnvironment));
  result.out = readText(capture.path("stdout"));
  result.err = readText(capture.path("stderr"));
  return result;
}

TempDir::TempDir() {
  std::string pattern =
      (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + std::string("/vstrender-XXXXXX");
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary folder");
  root_ = pattern;
}

TempDir::~TempDir() { removeTree(root_); }

std::vector<std::string> TempDir::entries() const {
  std::vector<std::string> names;
  if (DIR* dir = opendir(root_.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void MemorySink::write(const float* const* channels, int frames) {
  for (size_t c = 0; c < channels_.size(); ++c) {
    channels_[c].insert(channels_[c].end(), channels[c], channels[c] + frames);
  }
}

void writeWav(const std::string& path, const AudioBuffer& audio) {
  AudioFileWriter writer(path, audio.channelCount(), audio.sampleRate);
  std::vector<const float*> pointers;
  for (const auto& channel : audio.channels) pointers.push_back(channel.data());
  writer.write(pointers.data(), static_cast<int>(audio.frameCount()));
  writer.commit();
}

std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

}  // namespace vstrender::testing

#include "interrupt_cleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

namespace vstrender {
namespace {

char pendingPath[PATH_MAX];
volatile sig_atomic_t armed = 0;

void onInterrupt(int signalNumber) {
  if (armed) unlink(pendingPath);
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

void installHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaction(signalNumber, &action, nullptr);
}

}  // namespace

void removeOnInterrupt(const std::string& path) {
  installHandlers();
  armed = 0;
  if (path.size() >= sizeof pendingPath) return;
  std::memcpy(pendingPath, path.c_str(), path.size() + 1);
  armed = 1;
}

void forgetOnInterrupt() { armed = 0; }

}  // namespace vstrender

// A progress bar on stderr for renders that take more than a second, drawn
// only when stderr is a terminal.
#pragma once

#include <chrono>
#include <cstdint>

namespace vstrender {

class ProgressBar {
 public:
  explicit ProgressBar(bool enabled);
  ~ProgressBar() { finish(); }

  void update(int64_t done, int64_t total);
  // Clears the bar, if one was drawn.
  void finish();

 private:
  using Clock = std::chrono::steady_clock;

  bool enabled_;
  bool drawn_ = false;
  Clock::time_point start_;
  Clock::time_point lastDraw_;
};

}  // namespace vstrender

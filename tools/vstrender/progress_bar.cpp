#include "progress_bar.h"

#include <cstdio>
#include <string>

namespace vstrender {
namespace {

constexpr auto kQuietPeriod = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(bool enabled) : enabled_(enabled), start_(Clock::now()) {}

void ProgressBar::update(int64_t done, int64_t total) {
  if (!enabled_ || total <= 0) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kQuietPeriod || (drawn_ && now - lastDraw_ < kRedrawInterval)) return;
  lastDraw_ = now;
  drawn_ = true;
  const double fraction = static_cast<double>(done) / static_cast<double>(total);
  const int filled = static_cast<int>(fraction * kBarWidth);
  const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '.');
  std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), static_cast<int>(fraction * 100.0));
  std::fflush(stderr);
}

void ProgressBar::finish() {
  if (!drawn_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace vstrender

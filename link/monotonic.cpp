#include "link/monotonic.h"

#include <cerrno>
#include <ctime>

namespace {

timespec ToTimespec(MonotonicClock::time_point when) {
  const auto since = when.time_since_epoch();
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
  const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds);
  return {static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())};
}

}  // namespace

// steady_clock is CLOCK_MONOTONIC with libstdc++ on Linux, so its time points
// serve as absolute wake-up times and a pause never drifts across retries.
void PauseUntil(MonotonicClock::time_point when) {
  const timespec wake = ToTimespec(when);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
  }
}

void PauseMilliseconds(unsigned ms) {
  PauseUntil(MonotonicClock::now() + std::chrono::milliseconds(ms));
}

int Deadline::RemainingMs() const {
  const auto left = end_ - MonotonicClock::now();
  if (left <= MonotonicClock::duration::zero()) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

#pragma once
// Time on the monotonic clock: pauses of the protocol and deadlines of the port.

#include <chrono>

using MonotonicClock = std::chrono::steady_clock;

// Sleeps the whole pause even when signals interrupt it.
void PauseMilliseconds(unsigned ms);
void PauseUntil(MonotonicClock::time_point when);

class Deadline {
 public:
  explicit Deadline(std::chrono::nanoseconds budget) : end_(MonotonicClock::now() + budget) {}

  bool Expired() const { return MonotonicClock::now() >= end_; }
  // Milliseconds left, rounded up so a poll() never wakes just before the end.
  int RemainingMs() const;
  MonotonicClock::time_point End() const { return end_; }

 private:
  MonotonicClock::time_point end_;
};

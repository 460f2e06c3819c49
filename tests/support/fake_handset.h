#pragma once
// A handset on the far end of a real pseudo-terminal, for tests: it records
// every byte that reaches it with its arrival time and answers the handshake
// as the simulator does, with the simulator's faults.

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "tools/handset_sim/handset_behaviour.h"

using SteadyTime = std::chrono::steady_clock::time_point;

struct LineByte {
  std::uint8_t value;
  SteadyTime at;
};

class FakeHandset {
 public:
  explicit FakeHandset(HandsetBehaviour behaviour = {});
  ~FakeHandset();
  FakeHandset(const FakeHandset&) = delete;
  FakeHandset& operator=(const FakeHandset&) = delete;

  // The terminal side the program opens (e.g. /dev/pts/7).
  const std::string& DevicePath() const;

  std::vector<LineByte> Received() const;
  std::vector<std::uint8_t> ReceivedBytes() const;
  // True once at least n bytes have arrived; false when the timeout ran out first.
  bool WaitForBytes(std::size_t n, std::chrono::milliseconds timeout) const;

  // Bytes from the handset to the program, outside of any handshake reply.
  void Send(std::span<const std::uint8_t> bytes);
  // Closes the handset's end of the line, like a pulled cable.
  void HangUp();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Sets COM1 to the fake's device for the lifetime of the object.
class ScopedCom1 {
 public:
  explicit ScopedCom1(const std::string& path);
  ~ScopedCom1();
  ScopedCom1(const ScopedCom1&) = delete;
  ScopedCom1& operator=(const ScopedCom1&) = delete;

 private:
  std::string previous_;
  bool hadPrevious_;
};

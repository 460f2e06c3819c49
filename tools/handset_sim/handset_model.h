#pragma once
// The simulated OKI-900 without any I/O: bytes from the program go in with
// their arrival times; what the handset saw (events) and what it answers
// (reply bytes) come out, according to a HandsetBehaviour.
//
// The frames are written out here from the protocol's tables on purpose and
// nothing is taken from link/: the simulator checks the program rather than
// repeating it.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/handset_sim/handset_behaviour.h"

namespace handset_sim {

using Clock = std::chrono::steady_clock;
using Time = Clock::time_point;

inline constexpr std::array<std::uint8_t, 6> kDetachFrame{0xC1, 0xC0, 0xA2, 0xC0, 0xC0, 0xA0};
inline constexpr std::array<std::uint8_t, 5> kProbeFrame{0xC0, 0xC0, 0xA3, 0xC0, 0xC0};
inline constexpr std::uint8_t kAttentionByte = 0xA1;
inline constexpr std::array<std::uint8_t, 6> kEnableFrame{0xC1, 0xC0, 0xB4, 0xC0, 0xD5, 0xB3};
// Key frame: C0, C4 + (code >> 4), B0 + (code & 0F).
inline constexpr std::uint8_t kKeyFrameStart = 0xC0;
inline constexpr std::uint8_t kReleaseCode = 0;

// What a chattering handset sends after every key release. None of these
// bytes can start a frame of the protocol.
inline constexpr std::array<std::uint8_t, 3> kChatterBytes{0x55, 0x0D, 0x0A};

// A frame whose bytes stop arriving for this long is given up: what came of
// it is reported as unknown bytes (see HandsetModel::Idle).
inline constexpr std::chrono::milliseconds kStalePrefix{200};

// One byte on the 2400 baud line: start bit, eight data bits, stop bit.
inline constexpr std::chrono::nanoseconds kByteTime{10 * 1'000'000'000LL / 2400};

enum class EventKind {
  Detach,
  Probe,        // starts handshake attempt `attempt`
  Attention,    // answered with `replyLength` bytes (0: no reply)
  Enable,       // answered with `replyLength` bytes (0: no reply)
  KeyPress,     // a complete press of `code`, held for `hold`
  LoneRelease,  // a release frame while no key was held
  Unknown,      // `bytes` belong to no frame
  HangUp,       // the handset closes the line now
};

struct HandsetEvent {
  EventKind kind = EventKind::Unknown;
  // First and last byte of what the event covers; for a key press, the first
  // byte of the press frame and the last byte of the release frame.
  Time firstByteAt{};
  Time lastByteAt{};
  unsigned attempt = 0;
  std::uint8_t code = 0;
  std::chrono::nanoseconds hold{};
  std::size_t replyLength = 0;
  std::vector<std::uint8_t> bytes;

  bool operator==(const HandsetEvent&) const = default;
};

struct FeedResult {
  std::vector<HandsetEvent> events;
  std::vector<std::uint8_t> reply;  // to be sent back to the program, in order
  bool hangUp = false;              // close the line after sending `reply`
};

// "1".."9", "0", "*", "#", "Snd", "End", "Clr", "Sto", "Rcl", "-", "+",
// "Menu", "Alph" for the keypad's codes; "release" for 0; any other code as
// its decimal number.
std::string KeyCaption(std::uint8_t code);

// "detach", "probe (attempt 1)", "attention -> 3 byte reply",
// "attention -> no reply", "enable -> 6 byte reply", "key 5  held 100.4 ms",
// "release (no key held)", "unknown C3 7F", "hang-up".
std::string Describe(const HandsetEvent& event);

// One line of the simulator's trace, without the newline:
// "1234.5 ms  probe (attempt 1)", time taken from the event's first byte.
std::string TraceLine(const HandsetEvent& event, Time start);

class HandsetModel {
 public:
  explicit HandsetModel(HandsetBehaviour behaviour = {});

  // Bytes that arrived together at `at`.
  FeedResult Feed(std::span<const std::uint8_t> bytes, Time at);
  FeedResult Feed(std::uint8_t byte, Time at) { return Feed(std::span<const std::uint8_t>(&byte, 1), at); }
  // Nothing arrived until `now`: a frame begun more than kStalePrefix ago
  // is given up and reported as unknown bytes.
  FeedResult Idle(Time now);

  unsigned Attempt() const { return attempt_; }
  unsigned CompletedPresses() const { return presses_; }
  bool HungUp() const { return hungUp_; }
  const HandsetBehaviour& Behaviour() const { return behaviour_; }

 private:
  struct PendingByte {
    std::uint8_t value;
    Time at;
  };
  struct HeldKey {
    std::uint8_t code;
    Time firstByteAt;
    Time lastByteAt;
  };

  Time WireEnd(Time arrival);
  void Take(const PendingByte& byte, FeedResult& out);
  void Resolve(FeedResult& out);
  void DropFirstAsUnknown();
  void FlushUnknown(FeedResult& out);
  void OnKeyFrame(std::uint8_t code, Time first, Time last, FeedResult& out);
  bool Answering() const;

  HandsetBehaviour behaviour_;
  std::vector<PendingByte> pending_;  // a prefix of some frame
  std::vector<PendingByte> unknown_;  // garbage not reported yet
  std::optional<HeldKey> held_;
  unsigned attempt_ = 0;
  unsigned presses_ = 0;
  Time wireFreeAt_ = Time::min();  // when the last byte's stop bit arrived
  bool hungUp_ = false;
};

}  // namespace handset_sim

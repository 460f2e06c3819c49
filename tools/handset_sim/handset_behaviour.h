#pragma once
// How a simulated handset answers, including the faults it can inject.

#include <cstdint>
#include <optional>
#include <vector>

struct HandsetBehaviour {
  // Sent back after the attention byte and after the enable frame; an empty
  // reply means silence. Contents are arbitrary: only the length matters.
  std::vector<std::uint8_t> attentionReply{0x4F, 0x4B, 0x39};
  std::vector<std::uint8_t> enableReply{0x4F, 0x4B, 0x49, 0x39, 0x30, 0x30};
  // Handshake attempts before this one (counted by probe frames) get no reply at all.
  unsigned answerFromAttempt = 1;
  // Stray bytes sent after every key release.
  bool chatter = false;
  // Closes the line after this many complete key presses.
  std::optional<unsigned> hangUpAfterKeys;
};

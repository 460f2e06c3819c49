#pragma once
// What the program says to the OKI-900, and when.

#include <array>
#include <cstdint>

#include "serial_port.h"

using KeyCode = std::uint8_t;
using HandshakeMode = std::uint16_t;

inline constexpr KeyCode KEY_RELEASE = 0;
inline constexpr HandshakeMode HANDSHAKE_MODE_S = 0x53;

inline constexpr std::array<std::uint8_t, 6> DETACH_FRAME{0xC1, 0xC0, 0xA2, 0xC0, 0xC0, 0xA0};
inline constexpr std::array<std::uint8_t, 5> PROBE_FRAME{0xC0, 0xC0, 0xA3, 0xC0, 0xC0};
inline constexpr std::uint8_t ATTENTION_BYTE = 0xA1;
inline constexpr std::array<std::uint8_t, 6> ENABLE_FRAME{0xC1, 0xC0, 0xB4, 0xC0, 0xD5, 0xB3};

inline constexpr std::size_t ATTENTION_REPLY_LENGTH = 3;
inline constexpr std::size_t ENABLE_REPLY_LENGTH = 6;

inline constexpr unsigned HANDSHAKE_ATTEMPTS = 5;
// Our bound on the wait for the attention reply: about 2 s of 500 ms reads.
inline constexpr unsigned ATTENTION_REPLY_READS = 4;

inline constexpr unsigned ATTENTION_PAUSE_MS = 30;
inline constexpr unsigned ENABLE_PAUSE_MS = 1;
inline constexpr unsigned ENABLE_REPLY_PAUSE_MS = 1000;
inline constexpr unsigned RETRY_PAUSE_MS = 1000;
inline constexpr unsigned KEY_HOLD_MS = 100;

using KeyFrame = std::array<std::uint8_t, 3>;

constexpr KeyFrame MakeKeyFrame(KeyCode code) {
  return {0xC0, static_cast<std::uint8_t>(0xC4 + (code >> 4)),
          static_cast<std::uint8_t>(0xB0 + (code & 0x0F))};
}

HandsetFlag InitHandset(HandshakeMode mode);
void SendDetachFrame();
void SendKeyFrame(KeyCode code);
void PressHandsetKey(KeyCode code);

#include "link/handset_protocol.h"

#include "link/monotonic.h"

namespace {

bool ReadReply(std::size_t length) {
  std::array<std::uint8_t, ENABLE_REPLY_LENGTH> buffer{};
  ReadPort({buffer.data(), length});
  return LastPortCount() == length;
}

// Bytes of a short read are dropped and the next read starts over; the
// number of reads is bounded so a silent handset fails the attempt.
bool AwaitAttentionReply() {
  for (unsigned read = 0; read < ATTENTION_REPLY_READS; ++read) {
    if (ReadReply(ATTENTION_REPLY_LENGTH)) return true;
  }
  return false;
}

bool HandshakeAttempt() {
  WritePort(PROBE_FRAME);
  WaitTransmitEmpty();
  PauseMilliseconds(ATTENTION_PAUSE_MS);
  SendPriorityByte(ATTENTION_BYTE);
  if (!AwaitAttentionReply()) return false;
  PauseMilliseconds(ENABLE_PAUSE_MS);
  WritePort(ENABLE_FRAME);
  PauseMilliseconds(ENABLE_REPLY_PAUSE_MS);
  return ReadReply(ENABLE_REPLY_LENGTH);
}

}  // namespace

// The first detach frame is sent before transmit-empty is armed, so its wait
// returns at once and the probe may follow it without a gap.
HandsetFlag InitHandset(HandshakeMode mode) {
  SendDetachFrame();
  ArmTransmitEmpty();
  if (mode != HANDSHAKE_MODE_S) return HANDSET_FAILED;
  for (unsigned attempt = 0; attempt < HANDSHAKE_ATTEMPTS; ++attempt) {
    if (HandshakeAttempt()) return HANDSET_OK;
    SendDetachFrame();
    PauseMilliseconds(RETRY_PAUSE_MS);
    DiscardPortInput();
  }
  return HANDSET_FAILED;
}

void SendDetachFrame() {
  WritePort(DETACH_FRAME);
  WaitTransmitEmpty();
}

// Input is discarded first: nothing the handset says between presses is read.
void SendKeyFrame(KeyCode code) {
  DiscardPortInput();
  WritePort(MakeKeyFrame(code));
  WaitTransmitEmpty();
}

void PressHandsetKey(KeyCode code) {
  SendKeyFrame(code);
  PauseMilliseconds(KEY_HOLD_MS);
  SendKeyFrame(KEY_RELEASE);
}

#pragma once
// The one serial line to the handset: free functions over a process-wide port.
// Failures surface only through the 16-bit result flag and the last count;
// every operation on a port that is not open does nothing and moves no bytes.

#include <cstdint>
#include <span>
#include <string>

using HandsetFlag = std::uint16_t;  // 1 for success, 0 for failure
using HandsetModel = std::uint16_t;

inline constexpr HandsetFlag HANDSET_OK = 1;
inline constexpr HandsetFlag HANDSET_FAILED = 0;
inline constexpr HandsetModel OKI_900 = 900;

inline constexpr unsigned PORT_BAUD = 2400;
inline constexpr unsigned PORT_READ_TIMEOUT_MS = 500;
inline constexpr unsigned PORT_WRITE_TIMEOUT_MS = 500;

// The device that stands for COM1: $COM1 when set and not empty, else /dev/ttyS0.
std::string HandsetPortPath();

HandsetFlag OpenHandsetPort(HandsetModel model);
void CloseHandsetPort();
bool IsHandsetPortOpen();

// Bytes moved by the most recent read or write.
std::uint32_t LastPortCount();

// Blocks until all bytes are handed to the driver or the write time-out runs out.
void WritePort(std::span<const std::uint8_t> bytes);
// From now on WaitTransmitEmpty waits for the transmitter to run empty;
// until then it returns at once.
void ArmTransmitEmpty();
void WaitTransmitEmpty();
void SendPriorityByte(std::uint8_t byte);
// Returns when buffer.size() bytes have arrived or the read time-out has run
// out, whichever is first; LastPortCount() says how many arrived.
void ReadPort(std::span<std::uint8_t> buffer);
void DiscardPortInput();
void FlushPort();

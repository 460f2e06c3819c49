#pragma once
// The simulated handset's end of a serial line: a pseudo-terminal pair whose
// master side the handset reads and writes, and whose terminal side (e.g.
// /dev/pts/7) the program opens as its port.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace handset_sim {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal() { Close(); }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Opens a new pair. The master is non-blocking and close-on-exec. The
  // terminal side is also held open here, in raw mode, so that the master
  // never reports a hang-up while the program is not connected and nothing
  // written to the line is ever echoed. False (with `error` set) on failure.
  bool Open(std::string& error);
  // Closes both ends, like a pulled cable. Safe to call twice.
  void Close();

  bool IsOpen() const { return master_ >= 0; }
  int Master() const { return master_; }
  const std::string& DevicePath() const { return path_; }

 private:
  int master_ = -1;
  int terminal_ = -1;
  std::string path_;
};

// Writes all of `bytes` to a non-blocking descriptor, waiting at most
// `budget` for room; returns how many went out.
std::size_t WriteWithin(int fd, std::span<const std::uint8_t> bytes, std::chrono::milliseconds budget);

}  // namespace handset_sim

#pragma once
// The program's end of a simulated line, for the tools' tests: the terminal
// side of a pseudo-terminal, opened with open(2) as the program would.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace tools_test {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

class TerminalEnd {
 public:
  explicit TerminalEnd(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
  ~TerminalEnd() {
    if (fd_ >= 0) close(fd_);
  }
  TerminalEnd(const TerminalEnd&) = delete;
  TerminalEnd& operator=(const TerminalEnd&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  bool Write(const Bytes& bytes) const {
    return fd_ >= 0 && write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }

  // Reads until n bytes have come, the timeout runs out or the line hangs up.
  Bytes Read(std::size_t n, std::chrono::milliseconds timeout) const {
    Bytes got;
    const auto end = Clock::now() + timeout;
    while (got.size() < n) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      if (left <= 0) break;
      pollfd pfd{fd_, POLLIN, 0};
      if (poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
      if (!(pfd.revents & POLLIN)) break;  // hung up
      std::uint8_t buffer[64];
      const ssize_t r = read(fd_, buffer, std::min(sizeof buffer, n - got.size()));
      if (r <= 0) break;
      got.insert(got.end(), buffer, buffer + r);
    }
    return got;
  }

  // True once the far end has closed the line (POLLHUP, or a read of EOF/EIO).
  bool WaitForHangUp(std::chrono::milliseconds timeout) const {
    const auto end = Clock::now() + timeout;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      if (left <= 0) return false;
      pollfd pfd{fd_, POLLIN, 0};
      if (poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
      if (pfd.revents & (POLLHUP | POLLERR)) return true;
      std::uint8_t buffer[64];
      const ssize_t r = read(fd_, buffer, sizeof buffer);
      if (r == 0 || (r < 0 && errno == EIO)) return true;
    }
  }

 private:
  int fd_;
};

}  // namespace tools_test

#include "tools/handset_sim/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace handset_sim {

namespace {

std::string Failure(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool AddFlags(int fd, int getCommand, int setCommand, int flags) {
  const int current = fcntl(fd, getCommand);
  return current >= 0 && fcntl(fd, setCommand, current | flags) == 0;
}

}  // namespace

bool PseudoTerminal::Open(std::string& error) {
  Close();
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    error = Failure("posix_openpt");
    return false;
  }
  if (!AddFlags(master_, F_GETFD, F_SETFD, FD_CLOEXEC) || !AddFlags(master_, F_GETFL, F_SETFL, O_NONBLOCK)) {
    error = Failure("fcntl");
  } else if (grantpt(master_) != 0) {
    error = Failure("grantpt");
  } else if (unlockpt(master_) != 0) {
    error = Failure("unlockpt");
  } else if (const char* name = ptsname(master_); name == nullptr) {
    error = Failure("ptsname");
  } else {
    path_ = name;
    terminal_ = open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (terminal_ < 0) {
      error = Failure(("open " + path_).c_str());
    } else if (tcgetattr(terminal_, &tio) != 0) {
      error = Failure("tcgetattr");
    } else {
      cfmakeraw(&tio);
      if (tcsetattr(terminal_, TCSANOW, &tio) == 0) return true;
      error = Failure("tcsetattr");
    }
  }
  Close();
  return false;
}

void PseudoTerminal::Close() {
  if (master_ >= 0) close(master_);
  if (terminal_ >= 0) close(terminal_);
  master_ = -1;
  terminal_ = -1;
}

std::size_t WriteWithin(int fd, std::span<const std::uint8_t> bytes, std::chrono::milliseconds budget) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + budget;
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + sent, bytes.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || errno != EAGAIN) break;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) break;
    pollfd pfd{fd, POLLOUT, 0};
    if (poll(&pfd, 1, static_cast<int>(left)) < 0 && errno != EINTR) break;
    if (pfd.revents & (POLLERR | POLLNVAL)) break;
    if ((pfd.revents & POLLHUP) && !(pfd.revents & POLLOUT)) break;
  }
  return sent;
}

}  // namespace handset_sim

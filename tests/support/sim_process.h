#pragma once
// The real handset-sim binary as a child process, for tests: its output read
// line by line with deadlines, and a child left running is killed.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace sim_process {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Pipe {
 public:
  Pipe() {
    if (pipe2(fds_.data(), O_CLOEXEC) != 0) fds_ = {-1, -1};
  }
  ~Pipe() {
    CloseRead();
    CloseWrite();
  }
  int ReadEnd() const { return fds_[0]; }
  int WriteEnd() const { return fds_[1]; }
  void CloseRead() { CloseOne(0); }
  void CloseWrite() { CloseOne(1); }

 private:
  void CloseOne(int i) {
    if (fds_[i] >= 0) close(fds_[i]);
    fds_[i] = -1;
  }
  std::array<int, 2> fds_{};
};

// Reads whatever one descriptor offers, line by line, with deadlines.
class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}

  std::optional<std::string> Next(std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    for (;;) {
      if (const auto nl = buffer_.find('\n'); nl != std::string::npos) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        return line;
      }
      if (eof_) return std::nullopt;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      if (left <= 0) return std::nullopt;
      pollfd pfd{fd_, POLLIN, 0};
      if (poll(&pfd, 1, static_cast<int>(left)) <= 0) continue;
      char chunk[512];
      const ssize_t n = read(fd_, chunk, sizeof chunk);
      if (n <= 0) {
        eof_ = true;
      } else {
        buffer_.append(chunk, static_cast<std::size_t>(n));
      }
    }
  }

  // Everything until end of file (or the timeout).
  std::string Rest(std::chrono::milliseconds timeout) {
    std::string all;
    while (auto line = Next(timeout)) all += *line + "\n";
    return all + buffer_;
  }

 private:
  int fd_;
  std::string buffer_;
  bool eof_ = false;
};

class Simulator {
 public:
  explicit Simulator(std::vector<std::string> args) {
    std::vector<std::string> argv{HANDSET_SIM_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (auto& arg : argv) cargv.push_back(arg.data());
    cargv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out_.WriteEnd(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err_.WriteEnd(), STDERR_FILENO);
    if (posix_spawn(&pid_, cargv[0], &actions, nullptr, cargv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    out_.CloseWrite();
    err_.CloseWrite();
  }

  ~Simulator() {
    if (pid_ > 0 && !status_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool Started() const { return pid_ > 0; }
  LineReader& Out() { return outReader_; }
  LineReader& Err() { return errReader_; }
  void Signal(int signal) { kill(pid_, signal); }

  // The exit code, or nullopt when it did not exit normally within the timeout.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (!status_) {
      int status = 0;
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        status_ = status;
      } else if (Clock::now() >= end) {
        return std::nullopt;
      } else {
        std::this_thread::sleep_for(10ms);
      }
    }
    if (!WIFEXITED(*status_)) return std::nullopt;
    return WEXITSTATUS(*status_);
  }

 private:
  Pipe out_;
  Pipe err_;
  LineReader outReader_{out_.ReadEnd()};
  LineReader errReader_{err_.ReadEnd()};
  pid_t pid_ = -1;
  std::optional<int> status_;
};

// "1234.5 ms  <what>"
inline ::testing::AssertionResult IsTraceLine(const std::optional<std::string>& line, const std::string& what) {
  if (!line) return ::testing::AssertionFailure() << "no line (expected '" << what << "')";
  static const std::regex kTime(R"(^[0-9]+\.[0-9] ms  (.*)$)");
  std::smatch match;
  if (!std::regex_match(*line, match, kTime)) return ::testing::AssertionFailure() << "not a trace line: " << *line;
  if (!std::regex_match(match[1].str(), std::regex(what)))
    return ::testing::AssertionFailure() << "'" << match[1].str() << "' is not '" << what << "'";
  return ::testing::AssertionSuccess();
}

}  // namespace sim_process

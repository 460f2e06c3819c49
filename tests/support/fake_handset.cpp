#include "tests/support/fake_handset.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "tools/handset_sim/handset_model.h"
#include "tools/handset_sim/pseudo_terminal.h"

namespace {

using namespace std::chrono_literals;

constexpr int kPollMs = 10;
constexpr int kHangUpBackoffMs = 20;
constexpr auto kWriteBudget = 500ms;

}  // namespace

struct FakeHandset::State {
  explicit State(HandsetBehaviour behaviour) : model(std::move(behaviour)) {}

  void ReadLoop();
  // Closes both ends of the line; callers hold lineMutex.
  void CloseLine() { line.Close(); }

  handset_sim::PseudoTerminal line;
  std::string path;  // kept after the line is closed

  // Guards the line's descriptors against a close while someone writes.
  std::mutex lineMutex;

  // Only the reader thread touches the model.
  handset_sim::HandsetModel model;

  mutable std::mutex receivedMutex;
  mutable std::condition_variable arrived;
  std::vector<LineByte> received;

  std::atomic<bool> stop{false};
  std::thread reader;
};

void FakeHandset::State::ReadLoop() {
  // The reader is the only one that may close the master while it runs
  // (HangUp joins it first), so it may poll the descriptor without the lock.
  const int master = line.Master();
  std::array<std::uint8_t, 256> buffer{};
  while (!stop.load()) {
    pollfd pfd{master, POLLIN, 0};
    const int rc = poll(&pfd, 1, kPollMs);
    if (rc <= 0) {
      if (rc == 0) model.Idle(SteadyTime::clock::now());
      continue;
    }
    if (!(pfd.revents & POLLIN)) {
      // POLLHUP cannot last while we hold the terminal side, but never spin on it.
      std::this_thread::sleep_for(std::chrono::milliseconds(kHangUpBackoffMs));
      continue;
    }
    const ssize_t n = read(master, buffer.data(), buffer.size());
    if (n <= 0) {
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      std::this_thread::sleep_for(std::chrono::milliseconds(kHangUpBackoffMs));
      continue;
    }
    const auto at = SteadyTime::clock::now();
    const std::span<const std::uint8_t> bytes(buffer.data(), static_cast<std::size_t>(n));
    {
      std::lock_guard lock(receivedMutex);
      for (const std::uint8_t byte : bytes) received.push_back({byte, at});
    }
    arrived.notify_all();

    const handset_sim::FeedResult result = model.Feed(bytes, at);
    std::lock_guard lock(lineMutex);
    if (!result.reply.empty() && line.IsOpen()) handset_sim::WriteWithin(master, result.reply, kWriteBudget);
    if (result.hangUp) {
      CloseLine();
      return;
    }
  }
}

FakeHandset::FakeHandset(HandsetBehaviour behaviour) : state_(std::make_unique<State>(std::move(behaviour))) {
  std::string error;
  if (!state_->line.Open(error)) throw std::runtime_error("FakeHandset: " + error);
  state_->path = state_->line.DevicePath();
  state_->reader = std::thread([state = state_.get()] { state->ReadLoop(); });
}

FakeHandset::~FakeHandset() { HangUp(); }

const std::string& FakeHandset::DevicePath() const { return state_->path; }

std::vector<LineByte> FakeHandset::Received() const {
  std::lock_guard lock(state_->receivedMutex);
  return state_->received;
}

std::vector<std::uint8_t> FakeHandset::ReceivedBytes() const {
  std::lock_guard lock(state_->receivedMutex);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(state_->received.size());
  for (const LineByte& byte : state_->received) bytes.push_back(byte.value);
  return bytes;
}

bool FakeHandset::WaitForBytes(std::size_t n, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(state_->receivedMutex);
  return state_->arrived.wait_for(lock, timeout, [&] { return state_->received.size() >= n; });
}

void FakeHandset::Send(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(state_->lineMutex);
  if (state_->line.IsOpen()) handset_sim::WriteWithin(state_->line.Master(), bytes, kWriteBudget);
}

void FakeHandset::HangUp() {
  state_->stop = true;
  if (state_->reader.joinable()) state_->reader.join();
  std::lock_guard lock(state_->lineMutex);
  state_->CloseLine();
}

ScopedCom1::ScopedCom1(const std::string& path) {
  const char* previous = std::getenv("COM1");
  hadPrevious_ = previous != nullptr;
  if (hadPrevious_) previous_ = previous;
  setenv("COM1", path.c_str(), 1);
}

ScopedCom1::~ScopedCom1() {
  if (hadPrevious_) {
    setenv("COM1", previous_.c_str(), 1);
  } else {
    unsetenv("COM1");
  }
}

#include "link/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "link/monotonic.h"

namespace {

using namespace std::chrono_literals;

// One start bit, eight data bits, one stop bit.
constexpr auto kByteLineTime = std::chrono::microseconds(10 * 1'000'000 / PORT_BAUD);
// Beyond the line time of what we wrote, how long a transmitter may take to
// report itself empty before we decide the device is stuck or gone.
constexpr auto kDrainSlack = 1s;
constexpr auto kDrainPollStep = 500us;
constexpr auto kReadTimeout = std::chrono::milliseconds(PORT_READ_TIMEOUT_MS);
constexpr auto kWriteTimeout = std::chrono::milliseconds(PORT_WRITE_TIMEOUT_MS);

constexpr tcflag_t kInputFlagsOff =
    IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK | IXON | IXOFF | IXANY;
constexpr tcflag_t kLocalFlagsOff = ECHO | ECHONL | ICANON | ISIG | IEXTEN;
constexpr tcflag_t kControlFlagsOff = CSIZE | PARENB | CSTOPB | CRTSCTS;
// HUPCL drops DTR and RTS when the port is closed.
constexpr tcflag_t kControlFlagsOn = CS8 | CLOCAL | CREAD | HUPCL;

struct Port {
  int fd = -1;
  std::uint32_t lastCount = 0;
  bool transmitEmptyArmed = false;
  bool lineStatusUnsupported = false;
  // The last byte we wrote cannot have left the wire before this.
  MonotonicClock::time_point lineBusyUntil{};
};

Port g_port;

bool PortOpenOrResetCount() {
  if (g_port.fd >= 0) return true;
  g_port.lastCount = 0;
  return false;
}

void SetLineSettings(termios& tio) {
  tio.c_iflag &= ~kInputFlagsOff;
  tio.c_oflag &= ~OPOST;
  tio.c_lflag &= ~kLocalFlagsOff;
  tio.c_cflag &= ~kControlFlagsOff;
  tio.c_cflag |= kControlFlagsOn;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, B2400);
  cfsetospeed(&tio, B2400);
}

// tcsetattr succeeds when any one change took, so the result is read back.
bool LineSettingsTook(const termios& tio) {
  const speed_t inSpeed = cfgetispeed(&tio);
  return cfgetospeed(&tio) == B2400 && (inSpeed == B2400 || inSpeed == B0) &&
         (tio.c_cflag & CSIZE) == CS8 && (tio.c_cflag & (PARENB | CSTOPB | CRTSCTS)) == 0 &&
         (tio.c_iflag & (IXON | IXOFF | IXANY)) == 0;
}

bool ConfigureLine(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;  // not a terminal: leave it untouched
  if (ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) return false;
  SetLineSettings(tio);
  if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
  termios applied{};
  return tcgetattr(fd, &applied) == 0 && LineSettingsTook(applied);
}

// A line without modem control (a pseudo-terminal, some adapters) is fine.
bool RaiseModemLines(int fd) {
  const int lines = TIOCM_DTR | TIOCM_RTS;
  return ioctl(fd, TIOCMBIS, &lines) == 0 || errno == ENOTTY || errno == EINVAL;
}

bool LockExclusively(int fd) {
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  return rc == 0;
}

// A pseudo-terminal outlives our descriptor (the far end holds it open), so
// exclusivity must be handed back rather than left to the last close.
void ReleaseDevice(int fd) {
  ioctl(fd, TIOCNXCL);
  flock(fd, LOCK_UN);
  close(fd);
}

enum class Readiness { Ready, TimedOut, Failed };

Readiness WaitFor(short events, const Deadline& deadline) {
  pollfd pfd{g_port.fd, events, 0};
  for (;;) {
    if (deadline.Expired()) return Readiness::TimedOut;
    const int rc = poll(&pfd, 1, deadline.RemainingMs());
    if (rc < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (rc < 0) return Readiness::Failed;
    if (pfd.revents & events) return Readiness::Ready;
    // A hang-up ends the wait at once: nothing more will ever come.
    if (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) return Readiness::Failed;
  }
}

std::size_t WriteWithin(std::span<const std::uint8_t> bytes, const Deadline& deadline) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = write(g_port.fd, bytes.data() + sent, bytes.size() - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno == EAGAIN) {
      if (WaitFor(POLLOUT, deadline) != Readiness::Ready) break;
    } else {
      break;  // EIO after a hang-up, or any other failure of the device
    }
  }
  const auto start = std::max(MonotonicClock::now(), g_port.lineBusyUntil);
  g_port.lineBusyUntil = start + static_cast<long>(sent) * kByteLineTime;
  return sent;
}

std::size_t WriteBounded(std::span<const std::uint8_t> bytes) {
  return WriteWithin(bytes, Deadline(kWriteTimeout));
}

enum class Transmitter { Empty, Busy, Unknown };

Transmitter LineStatus() {
  if (!g_port.lineStatusUnsupported) {
    int lsr = 0;
    if (ioctl(g_port.fd, TIOCSERGETLSR, &lsr) == 0)
      return (lsr & TIOCSER_TEMT) ? Transmitter::Empty : Transmitter::Busy;
    if (errno != ENOTTY && errno != EINVAL) return Transmitter::Unknown;
    g_port.lineStatusUnsupported = true;
  }
  int queued = 0;
  if (ioctl(g_port.fd, TIOCOUTQ, &queued) != 0) return Transmitter::Unknown;
  return queued == 0 ? Transmitter::Empty : Transmitter::Busy;
}

// Waits until the last byte has left the wire, but never for ever: a stuck or
// vanished device ends the wait, and the protocol carries on as after a
// failed write.
void DrainBounded() {
  PauseUntil(g_port.lineBusyUntil);
  const Deadline deadline(kDrainSlack);
  while (LineStatus() == Transmitter::Busy && !deadline.Expired())
    PauseUntil(MonotonicClock::now() + kDrainPollStep);
}

}  // namespace

std::string HandsetPortPath() {
  const char* path = std::getenv("COM1");
  return (path != nullptr && *path != '\0') ? path : "/dev/ttyS0";
}

HandsetFlag OpenHandsetPort(HandsetModel model) {
  if (model != OKI_900 || g_port.fd >= 0) return HANDSET_FAILED;
  const std::string path = HandsetPortPath();
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return HANDSET_FAILED;
  if (!LockExclusively(fd)) {
    close(fd);
    return HANDSET_FAILED;
  }
  if (!ConfigureLine(fd) || !RaiseModemLines(fd)) {
    ReleaseDevice(fd);
    return HANDSET_FAILED;
  }
  g_port = Port{};
  g_port.fd = fd;
  return HANDSET_OK;
}

void CloseHandsetPort() {
  if (!PortOpenOrResetCount()) return;
  DrainBounded();
  ReleaseDevice(g_port.fd);
  const std::uint32_t lastCount = g_port.lastCount;
  g_port = Port{};
  g_port.lastCount = lastCount;
}

bool IsHandsetPortOpen() { return g_port.fd >= 0; }

std::uint32_t LastPortCount() { return g_port.lastCount; }

void WritePort(std::span<const std::uint8_t> bytes) {
  if (!PortOpenOrResetCount()) return;
  g_port.lastCount = static_cast<std::uint32_t>(WriteBounded(bytes));
}

void ArmTransmitEmpty() {
  if (!PortOpenOrResetCount()) return;
  g_port.transmitEmptyArmed = true;
}

void WaitTransmitEmpty() {
  if (!PortOpenOrResetCount() || !g_port.transmitEmptyArmed) return;
  DrainBounded();
}

// Callers drain the queue first, so a plain write goes out ahead of nothing.
void SendPriorityByte(std::uint8_t byte) {
  if (!PortOpenOrResetCount()) return;
  WriteBounded({&byte, 1});
}

void ReadPort(std::span<std::uint8_t> buffer) {
  if (!PortOpenOrResetCount()) return;
  const Deadline deadline(kReadTimeout);
  std::size_t got = 0;
  while (got < buffer.size() && WaitFor(POLLIN, deadline) == Readiness::Ready) {
    const ssize_t n = read(g_port.fd, buffer.data() + got, buffer.size() - got);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
      break;  // end of file or EIO: the line has hung up
    }
  }
  g_port.lastCount = static_cast<std::uint32_t>(got);
}

// Failure means the device is gone; the next read will say so.
void DiscardPortInput() {
  if (!PortOpenOrResetCount()) return;
  tcflush(g_port.fd, TCIFLUSH);
}

void FlushPort() {
  if (!PortOpenOrResetCount()) return;
  DrainBounded();
}

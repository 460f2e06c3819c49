#include "link/serial_port.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/fake_handset.h"

namespace {

using namespace std::literals;
using Clock = std::chrono::steady_clock;

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

termios TerminalSettings(const std::string& path) {
  UniqueFd fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
  termios tio{};
  EXPECT_EQ(tcgetattr(fd.get(), &tio), 0) << path;
  return tio;
}

std::chrono::milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

class SerialPortTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseHandsetPort(); }

  FakeHandset handset_;
  ScopedCom1 com1_{handset_.DevicePath()};
};

TEST_F(SerialPortTest, OpenAppliesRawLineAt2400Baud8N1WithoutFlowControl) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  const termios tio = TerminalSettings(handset_.DevicePath());
  EXPECT_EQ(cfgetospeed(&tio), B2400);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD | HUPCL), static_cast<tcflag_t>(CLOCAL | CREAD | HUPCL));
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
  EXPECT_EQ(tio.c_cc[VMIN], 0);
  EXPECT_EQ(tio.c_cc[VTIME], 0);
}

TEST_F(SerialPortTest, OtherModelFailsWithoutTouchingTheDevice) {
  const termios initial = TerminalSettings(handset_.DevicePath());
  const speed_t before = cfgetospeed(&initial);
  EXPECT_EQ(OpenHandsetPort(899), 0);
  EXPECT_FALSE(IsHandsetPortOpen());
  const termios after = TerminalSettings(handset_.DevicePath());
  EXPECT_EQ(cfgetospeed(&after), before);
  EXPECT_NE(before, B2400);
}

TEST_F(SerialPortTest, PortHeldByAnotherOpenFails) {
  // flock belongs to the open file description, so a second open of the
  // device here conflicts exactly as one in another process would.
  UniqueFd holder(open(handset_.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
  ASSERT_EQ(flock(holder.get(), LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(OpenHandsetPort(900), 0);
  EXPECT_FALSE(IsHandsetPortOpen());
}

TEST_F(SerialPortTest, SecondOpenWhileOpenFailsAndKeepsThePort) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  EXPECT_EQ(OpenHandsetPort(900), 0);
  EXPECT_TRUE(IsHandsetPortOpen());
}

TEST_F(SerialPortTest, CloseReleasesTheLockForTheNextUser) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  CloseHandsetPort();
  EXPECT_FALSE(IsHandsetPortOpen());
  UniqueFd next(open(handset_.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK));
  EXPECT_EQ(flock(next.get(), LOCK_EX | LOCK_NB), 0);
}

TEST_F(SerialPortTest, WriteReachesTheLineAndSetsTheCount) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  const std::array<std::uint8_t, 4> bytes{0x00, 0x0A, 0x0D, 0xFF};
  WritePort(bytes);
  EXPECT_EQ(LastPortCount(), 4u);
  ASSERT_TRUE(handset_.WaitForBytes(4, 2s));
  EXPECT_EQ(handset_.ReceivedBytes(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

struct TimedRead {
  const char* name;
  std::vector<std::uint8_t> waiting;  // already sent by the handset
  std::size_t asked;
  std::uint32_t expectedCount;
  bool runsToTheTimeout;
};

class ReadTimeoutTest : public SerialPortTest, public ::testing::WithParamInterface<TimedRead> {};

TEST_P(ReadTimeoutTest, ReturnsWhenAllArriveOrAfterTheTimeout) {
  const TimedRead& read = GetParam();
  ASSERT_EQ(OpenHandsetPort(900), 1);
  handset_.Send(read.waiting);
  std::array<std::uint8_t, 8> buffer{};
  const auto start = Clock::now();
  ReadPort({buffer.data(), read.asked});
  const auto took = Since(start);
  EXPECT_EQ(LastPortCount(), read.expectedCount);
  EXPECT_TRUE(std::equal(read.waiting.begin(), read.waiting.begin() + read.expectedCount, buffer.begin()));
  if (read.runsToTheTimeout) {
    EXPECT_GE(took, 500ms);
    EXPECT_LT(took, 2000ms);
  } else {
    EXPECT_LT(took, 500ms);
  }
}

INSTANTIATE_TEST_SUITE_P(Reads, ReadTimeoutTest,
                         ::testing::Values(TimedRead{"Silent", {}, 3, 0, true},
                                           TimedRead{"TwoOfThree", {0x11, 0x13}, 3, 2, true},
                                           TimedRead{"AllThree", {0x03, 0x04, 0x7F}, 3, 3, false},
                                           TimedRead{"MoreThanAsked", {1, 2, 3, 4, 5}, 3, 3, false}),
                         [](const auto& info) { return info.param.name; });

struct PortOperation {
  const char* name;
  std::function<void()> run;
};

const std::array<std::uint8_t, 3> kSomeBytes{0xC0, 0xC4, 0xB5};

const PortOperation kOperations[] = {
    {"Write", [] { WritePort(kSomeBytes); }},
    {"Read", [] { std::array<std::uint8_t, 3> buffer{}; ReadPort(buffer); }},
    {"ArmAndWait", [] { ArmTransmitEmpty(); WaitTransmitEmpty(); }},
    {"PriorityByte", [] { SendPriorityByte(0xA1); }},
    {"DiscardInput", [] { DiscardPortInput(); }},
    {"Flush", [] { FlushPort(); }},
    {"Close", [] { CloseHandsetPort(); }},
};

class ClosedPortTest : public SerialPortTest, public ::testing::WithParamInterface<PortOperation> {};

TEST_P(ClosedPortTest, DoesNothingAndZeroesTheCount) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  WritePort(kSomeBytes);
  CloseHandsetPort();
  ASSERT_TRUE(handset_.WaitForBytes(3, 2s));
  ASSERT_EQ(LastPortCount(), 3u);

  const auto start = Clock::now();
  GetParam().run();
  EXPECT_LT(Since(start), 100ms);
  EXPECT_EQ(LastPortCount(), 0u);
  EXPECT_FALSE(handset_.WaitForBytes(4, 100ms));
}

class HungUpPortTest : public SerialPortTest, public ::testing::WithParamInterface<PortOperation> {};

// A pulled USB adapter: every operation must come back at once, well inside
// its own time-out, and must not crash.
TEST_P(HungUpPortTest, FailsFast) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  ArmTransmitEmpty();
  handset_.HangUp();
  const auto start = Clock::now();
  GetParam().run();
  EXPECT_LT(Since(start), 400ms);
}

auto OperationName = [](const auto& info) { return info.param.name; };
INSTANTIATE_TEST_SUITE_P(Operations, ClosedPortTest, ::testing::ValuesIn(kOperations), OperationName);
INSTANTIATE_TEST_SUITE_P(Operations, HungUpPortTest, ::testing::ValuesIn(kOperations), OperationName);

TEST(SerialPortOpenFailure, NoDevice) {
  ScopedCom1 com1("/dev/corvane-no-such-port");
  EXPECT_EQ(OpenHandsetPort(900), 0);
  EXPECT_FALSE(IsHandsetPortOpen());
}

struct NotATerminal {
  const char* name;
  std::string path;
};

class NotATerminalTest : public ::testing::TestWithParam<NotATerminal> {};

TEST_P(NotATerminalTest, FailsAndLeavesItUntouched) {
  ScopedCom1 com1(GetParam().path);
  EXPECT_EQ(OpenHandsetPort(900), 0);
  EXPECT_FALSE(IsHandsetPortOpen());
}

INSTANTIATE_TEST_SUITE_P(Paths, NotATerminalTest,
                         ::testing::Values(NotATerminal{"DevNull", "/dev/null"}, NotATerminal{"Directory", "/tmp"}),
                         [](const auto& info) { return info.param.name; });

TEST(SerialPortOpenFailure, RegularFileIsLeftByteIdentical) {
  const auto path = std::filesystem::temp_directory_path() / ("corvane-port-" + std::to_string(getpid()));
  const std::string content = "not a serial port\n\x00\xC1\xC0"s;
  std::ofstream(path, std::ios::binary) << content;
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  {
    ScopedCom1 com1(path.string());
    EXPECT_EQ(OpenHandsetPort(900), 0);
    WritePort(kSomeBytes);
    CloseHandsetPort();
  }
  std::ifstream in(path, std::ios::binary);
  const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(after, content);
  struct stat now {};
  ASSERT_EQ(stat(path.c_str(), &now), 0);
  EXPECT_EQ(now.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(now.st_mtim.tv_sec, before.st_mtim.tv_sec);
  std::filesystem::remove(path);
}

TEST(SerialPortPath, Com1NamesTheDeviceAndFallsBackToTheFirstSerialPort) {
  {
    ScopedCom1 com1("/dev/ttyUSB0");
    EXPECT_EQ(HandsetPortPath(), "/dev/ttyUSB0");
  }
  ScopedCom1 empty("");
  EXPECT_EQ(HandsetPortPath(), "/dev/ttyS0");
}

}  // namespace

// The real handset-sim binary, started as a child process. Every wait is
// bounded, and a child left running is killed.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sim_process.h"
#include "tests/tools/test_line.h"

namespace {

using namespace std::chrono_literals;
using tools_test::Bytes;
using tools_test::Clock;
using tools_test::TerminalEnd;
using sim_process::IsTraceLine;
using sim_process::Simulator;

const Bytes kProbe{0xC0, 0xC0, 0xA3, 0xC0, 0xC0};
const Bytes kEnable{0xC1, 0xC0, 0xB4, 0xC0, 0xD5, 0xB3};
constexpr auto kStartTimeout = 5s;
constexpr auto kExitTimeout = 5s;

TEST(HandsetSimBinary, AnswersProbeAndAttentionThenEndsCleanlyOnSigterm) {
  Simulator sim({});
  ASSERT_TRUE(sim.Started());
  const auto device = sim.Out().Next(kStartTimeout);
  ASSERT_TRUE(device.has_value());
  ASSERT_TRUE(device->starts_with("/dev/")) << *device;

  TerminalEnd program(*device);
  ASSERT_TRUE(program.IsOpen()) << *device;
  ASSERT_TRUE(program.Write(kProbe));
  ASSERT_TRUE(program.Write({0xA1}));
  EXPECT_EQ(program.Read(3, 2s).size(), 3u);
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), R"(probe \(attempt 1\))"));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), "attention -> 3 byte reply"));

  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.WaitForExit(kExitTimeout), 0);
}

TEST(HandsetSimBinary, TracesAHandshakeAndAKeyPress) {
  Simulator sim({"--enable-reply", "5"});
  const auto device = sim.Out().Next(kStartTimeout);
  ASSERT_TRUE(device.has_value());
  TerminalEnd program(*device);
  ASSERT_TRUE(program.Write({0xC1, 0xC0, 0xA2, 0xC0, 0xC0, 0xA0}));
  ASSERT_TRUE(program.Write(kProbe));
  ASSERT_TRUE(program.Write({0xA1}));
  ASSERT_EQ(program.Read(3, 2s).size(), 3u);
  ASSERT_TRUE(program.Write(kEnable));
  EXPECT_EQ(program.Read(6, 1s).size(), 5u);
  ASSERT_TRUE(program.Write({0xC0, 0xC5, 0xBA}));
  std::this_thread::sleep_for(100ms);
  ASSERT_TRUE(program.Write({0xC0, 0xC4, 0xB0}));

  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), "detach"));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), R"(probe \(attempt 1\))"));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), "attention -> 3 byte reply"));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), "enable -> 5 byte reply"));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), R"(key Alph  held [0-9]+\.[0-9] ms)"));
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.WaitForExit(kExitTimeout), 0);
}

TEST(HandsetSimBinary, SilentAnswersNothing) {
  Simulator sim({"--silent"});
  const auto device = sim.Out().Next(kStartTimeout);
  ASSERT_TRUE(device.has_value());
  TerminalEnd program(*device);
  ASSERT_TRUE(program.Write(kProbe));
  ASSERT_TRUE(program.Write({0xA1}));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), R"(probe \(attempt 1\))"));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), "attention -> no reply"));
  EXPECT_TRUE(program.Read(1, 200ms).empty());
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.WaitForExit(kExitTimeout), 0);
}

TEST(HandsetSimBinary, HangsUpAfterKeysAndExitsZero) {
  Simulator sim({"--hang-up-after-keys", "1"});
  const auto device = sim.Out().Next(kStartTimeout);
  ASSERT_TRUE(device.has_value());
  TerminalEnd program(*device);
  ASSERT_TRUE(program.Write({0xC0, 0xC4, 0xBF}));
  std::this_thread::sleep_for(20ms);
  ASSERT_TRUE(program.Write({0xC0, 0xC4, 0xB0}));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), R"(key 15  held [0-9]+\.[0-9] ms)"));
  EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), "hang-up"));
  EXPECT_TRUE(program.WaitForHangUp(2s));
  EXPECT_EQ(sim.WaitForExit(kExitTimeout), 0);
}

TEST(HandsetSimBinary, LinkIsMadeAndRemovedOnExit) {
  const auto link = std::filesystem::temp_directory_path() / ("handset-sim-link-" + std::to_string(getpid()));
  std::filesystem::remove(link);
  Simulator sim({"--link", link.string()});
  const auto device = sim.Out().Next(kStartTimeout);
  ASSERT_TRUE(device.has_value());
  ASSERT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link).string(), *device);
  {
    TerminalEnd program(link.string());
    ASSERT_TRUE(program.Write({0xA1}));
    EXPECT_EQ(program.Read(3, 2s).size(), 3u);
  }
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.WaitForExit(kExitTimeout), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(HandsetSimBinary, HelpExitsZero) {
  Simulator sim({"--help"});
  const std::string text = sim.Out().Rest(kStartTimeout);
  EXPECT_NE(text.find("--hang-up-after-keys"), std::string::npos) << text;
  EXPECT_EQ(sim.WaitForExit(kExitTimeout), 0);
}

class BadOption : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BadOption, IsReportedOnStderrWithExitCode2) {
  Simulator sim(GetParam());
  EXPECT_EQ(sim.WaitForExit(kExitTimeout), 2);
  EXPECT_NE(sim.Err().Rest(1s).find("handset-sim:"), std::string::npos);
  EXPECT_EQ(sim.Out().Rest(1s), "");
}

INSTANTIATE_TEST_SUITE_P(Options, BadOption,
                         ::testing::Values(std::vector<std::string>{"--bogus"},
                                           std::vector<std::string>{"--enable-reply"},
                                           std::vector<std::string>{"--enable-reply", "five"},
                                           std::vector<std::string>{"--answer-from-attempt", "0"},
                                           std::vector<std::string>{"--hang-up-after-keys", "-1"},
                                           std::vector<std::string>{"--silent=yes"},
                                           std::vector<std::string>{"stray"}));

}  // namespace

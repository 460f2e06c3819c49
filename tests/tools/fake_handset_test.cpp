// FakeHandset over a real pseudo-terminal.

#include "tests/support/fake_handset.h"

#include <sys/stat.h>

#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

#include "tests/tools/test_line.h"

namespace {

using namespace std::chrono_literals;
using tools_test::Bytes;
using tools_test::TerminalEnd;

const Bytes kProbe{0xC0, 0xC0, 0xA3, 0xC0, 0xC0};

TEST(FakeHandset, OffersATerminalDevice) {
  FakeHandset handset;
  struct stat st {};
  ASSERT_EQ(stat(handset.DevicePath().c_str(), &st), 0) << handset.DevicePath();
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(FakeHandset, AnswersAnAttentionByteAndRecordsIt) {
  FakeHandset handset;
  TerminalEnd program(handset.DevicePath());
  ASSERT_TRUE(program.IsOpen());
  const auto before = std::chrono::steady_clock::now();
  ASSERT_TRUE(program.Write({0xA1}));
  EXPECT_EQ(program.Read(3, 2s), (Bytes{0x4F, 0x4B, 0x39}));
  ASSERT_TRUE(handset.WaitForBytes(1, 2s));
  const std::vector<LineByte> line = handset.Received();
  ASSERT_EQ(line.size(), 1u);
  EXPECT_EQ(line[0].value, 0xA1);
  EXPECT_GE(line[0].at, before);
  EXPECT_LE(line[0].at, std::chrono::steady_clock::now());
}

TEST(FakeHandset, AnswersTheWholeHandshakeAsTheBehaviourSays) {
  HandsetBehaviour behaviour;
  behaviour.enableReply = {1, 2, 3, 4, 5};
  FakeHandset handset(behaviour);
  TerminalEnd program(handset.DevicePath());
  ASSERT_TRUE(program.Write(kProbe));
  ASSERT_TRUE(program.Write({0xA1}));
  EXPECT_EQ(program.Read(3, 2s).size(), 3u);
  ASSERT_TRUE(program.Write({0xC1, 0xC0, 0xB4, 0xC0, 0xD5, 0xB3}));
  EXPECT_EQ(program.Read(6, 500ms), (Bytes{1, 2, 3, 4, 5}));
  ASSERT_TRUE(handset.WaitForBytes(12, 2s));
  EXPECT_EQ(handset.ReceivedBytes().size(), 12u);
}

TEST(FakeHandset, SilentHandsetAnswersNothing) {
  HandsetBehaviour behaviour;
  behaviour.attentionReply.clear();
  behaviour.enableReply.clear();
  FakeHandset handset(behaviour);
  TerminalEnd program(handset.DevicePath());
  ASSERT_TRUE(program.Write(kProbe));
  ASSERT_TRUE(program.Write({0xA1}));
  ASSERT_TRUE(handset.WaitForBytes(6, 2s));
  EXPECT_TRUE(program.Read(1, 300ms).empty());
}

TEST(FakeHandset, WaitForBytesTimesOut) {
  FakeHandset handset;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(handset.WaitForBytes(1, 100ms));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
}

TEST(FakeHandset, SendReachesTheProgram) {
  FakeHandset handset;
  TerminalEnd program(handset.DevicePath());
  const Bytes bytes{0x00, 0x0A, 0x0D, 0x11, 0x13, 0xFF};  // raw: nothing translated or swallowed
  handset.Send(bytes);
  EXPECT_EQ(program.Read(bytes.size(), 2s), bytes);
}

TEST(FakeHandset, NothingIsEchoedBackToTheProgram) {
  FakeHandset handset;
  TerminalEnd program(handset.DevicePath());
  ASSERT_TRUE(program.Write({0x12, 0x34, 0x0D}));
  ASSERT_TRUE(handset.WaitForBytes(3, 2s));
  EXPECT_TRUE(program.Read(1, 200ms).empty());
}

TEST(FakeHandset, HangUpIsSeenByTheProgramAndTheRecordStays) {
  FakeHandset handset;
  TerminalEnd program(handset.DevicePath());
  ASSERT_TRUE(program.Write({0x42}));
  ASSERT_TRUE(handset.WaitForBytes(1, 2s));
  handset.HangUp();
  EXPECT_TRUE(program.WaitForHangUp(1s));
  EXPECT_EQ(handset.ReceivedBytes(), Bytes{0x42});
  handset.Send(Bytes{1, 2, 3});  // a no-op now, and harmless
  handset.HangUp();              // so is a second hang-up
}

TEST(FakeHandset, HangsUpAfterTheConfiguredPresses) {
  HandsetBehaviour behaviour;
  behaviour.hangUpAfterKeys = 1;
  FakeHandset handset(behaviour);
  TerminalEnd program(handset.DevicePath());
  ASSERT_TRUE(program.Write({0xC0, 0xC4, 0xB5}));
  std::this_thread::sleep_for(20ms);
  ASSERT_TRUE(program.Write({0xC0, 0xC4, 0xB0}));
  EXPECT_TRUE(program.WaitForHangUp(2s));
  EXPECT_EQ(handset.ReceivedBytes(), (Bytes{0xC0, 0xC4, 0xB5, 0xC0, 0xC4, 0xB0}));
}

TEST(FakeHandset, ChattersAfterARelease) {
  HandsetBehaviour behaviour;
  behaviour.chatter = true;
  FakeHandset handset(behaviour);
  TerminalEnd program(handset.DevicePath());
  ASSERT_TRUE(program.Write({0xC0, 0xC4, 0xB5, 0xC0, 0xC4, 0xB0}));
  EXPECT_EQ(program.Read(3, 2s).size(), 3u);
}

TEST(ScopedCom1, SetsAndRestoresTheVariable) {
  unsetenv("COM1");
  {
    ScopedCom1 com1("/dev/pts/99");
    EXPECT_STREQ(std::getenv("COM1"), "/dev/pts/99");
    {
      ScopedCom1 inner("/dev/ttyUSB0");
      EXPECT_STREQ(std::getenv("COM1"), "/dev/ttyUSB0");
    }
    EXPECT_STREQ(std::getenv("COM1"), "/dev/pts/99");
  }
  EXPECT_EQ(std::getenv("COM1"), nullptr);
}

}  // namespace

#include "link/handset_protocol.h"

#include <array>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/line_frames.h"
#include "tests/support/fake_handset.h"

namespace {

using namespace std::literals;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Clock = std::chrono::steady_clock;

struct KeyEncoding {
  KeyCode code;
  std::array<std::uint8_t, 3> frame;
};

class KeyFrameEncodingTest : public ::testing::TestWithParam<KeyEncoding> {};

TEST_P(KeyFrameEncodingTest, MatchesTheHandsetTable) {
  EXPECT_EQ(MakeKeyFrame(GetParam().code), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(Codes, KeyFrameEncodingTest,
                         ::testing::Values(KeyEncoding{0, {0xC0, 0xC4, 0xB0}}, KeyEncoding{1, {0xC0, 0xC4, 0xB1}},
                                           KeyEncoding{10, {0xC0, 0xC4, 0xBA}}, KeyEncoding{17, {0xC0, 0xC5, 0xB1}},
                                           KeyEncoding{26, {0xC0, 0xC5, 0xBA}},
                                           KeyEncoding{255, {0xC0, 0xD3, 0xBF}}));

TEST(KeyFrameEncoding, EveryCodeStaysInsideTheFrameRanges) {
  for (unsigned code = 0; code <= 255; ++code) {
    const KeyFrame frame = MakeKeyFrame(static_cast<KeyCode>(code));
    EXPECT_EQ(frame[0], 0xC0);
    EXPECT_GE(frame[1], 0xC4);
    EXPECT_LE(frame[1], 0xD3);
    EXPECT_GE(frame[2], 0xB0);
    EXPECT_LE(frame[2], 0xBF);
  }
}

class ProtocolTest : public ::testing::Test {
 protected:
  explicit ProtocolTest(HandsetBehaviour behaviour = {}) : handset_(std::move(behaviour)) {}
  void TearDown() override { CloseHandsetPort(); }

  std::vector<LineFrame> Frames() const { return SplitFrames(handset_.Received()); }

  FakeHandset handset_;
  ScopedCom1 com1_{handset_.DevicePath()};
};

class KeyPressTest : public ProtocolTest, public ::testing::WithParamInterface<KeyCode> {
 protected:
  void SetUp() override {
    ASSERT_EQ(OpenHandsetPort(900), 1);
    ArmTransmitEmpty();
  }
};

TEST_P(KeyPressTest, IsPressFrameHoldThenReleaseFrame) {
  const KeyCode code = GetParam();
  PressHandsetKey(code);
  ASSERT_TRUE(handset_.WaitForBytes(6, 2s));
  const auto frames = Frames();
  EXPECT_THAT(FrameNames(frames), ElementsAre("key " + std::to_string(code), "key 0"));
  EXPECT_GE(frames[1].firstByteAt - frames[0].lastByteAt, 100ms);
}

INSTANTIATE_TEST_SUITE_P(Codes, KeyPressTest, ::testing::Values(1, 10, 17, 26, 255));

TEST_F(KeyPressTest, AlphBytesOnTheLine) {
  PressHandsetKey(26);
  ASSERT_TRUE(handset_.WaitForBytes(6, 2s));
  EXPECT_THAT(handset_.ReceivedBytes(), ElementsAre(0xC0, 0xC5, 0xBA, 0xC0, 0xC4, 0xB0));
}

TEST_F(KeyPressTest, StrayInputBeforeAKeyFrameIsDiscarded) {
  const std::array<std::uint8_t, 4> stray{0x55, 0xAA, 0x03, 0x0D};
  handset_.Send(stray);
  std::this_thread::sleep_for(100ms);  // let the bytes land in the terminal's input queue
  SendKeyFrame(5);
  std::array<std::uint8_t, 4> buffer{};
  ReadPort(buffer);
  EXPECT_EQ(LastPortCount(), 0u);
}

TEST_F(KeyPressTest, SendDetachFrameSendsItsSixBytes) {
  SendDetachFrame();
  ASSERT_TRUE(handset_.WaitForBytes(6, 2s));
  EXPECT_THAT(handset_.ReceivedBytes(), ElementsAre(0xC1, 0xC0, 0xA2, 0xC0, 0xC0, 0xA0));
}

TEST_F(ProtocolTest, AHandsetThatAnswersAtOnce) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  EXPECT_EQ(InitHandset(0x53), 1);
  const auto frames = Frames();
  ASSERT_THAT(FrameNames(frames), ElementsAre("detach", "probe", "attention", "enable"));
  EXPECT_GE(frames[2].firstByteAt - frames[1].lastByteAt, 30ms);
  EXPECT_GE(frames[3].firstByteAt - frames[2].lastByteAt, 1ms);
  EXPECT_THAT(handset_.ReceivedBytes(),
              ElementsAreArray({0xC1, 0xC0, 0xA2, 0xC0, 0xC0, 0xA0, 0xC0, 0xC0, 0xA3, 0xC0, 0xC0, 0xA1, 0xC1,
                                0xC0, 0xB4, 0xC0, 0xD5, 0xB3}));
}

TEST_F(ProtocolTest, ModeOtherThanSSendsOnlyTheDetachFrame) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  EXPECT_EQ(InitHandset(0x54), 0);
  std::this_thread::sleep_for(200ms);
  EXPECT_THAT(FrameNames(Frames()), ElementsAre("detach"));
}

struct Handshake {
  const char* name;
  HandsetBehaviour behaviour;
  HandsetFlag result;
  std::size_t probes, enables, detaches;
};

HandsetBehaviour Silent() {
  HandsetBehaviour behaviour;
  behaviour.attentionReply.clear();
  behaviour.enableReply.clear();
  return behaviour;
}
HandsetBehaviour ShortEnableReply() {
  HandsetBehaviour behaviour;
  behaviour.enableReply = {1, 2, 3, 4, 5};
  return behaviour;
}
HandsetBehaviour AnswersFromAttempt(unsigned attempt) {
  HandsetBehaviour behaviour;
  behaviour.answerFromAttempt = attempt;
  return behaviour;
}
// Bytes a cooked terminal would eat, turn into signals or translate.
HandsetBehaviour ControlByteReplies() {
  HandsetBehaviour behaviour;
  behaviour.attentionReply = {0x03, 0x11, 0x13};
  behaviour.enableReply = {0x0D, 0x7F, 0x04, 0x1A, 0x0A, 0x1C};
  return behaviour;
}

class HandshakeTest : public ProtocolTest, public ::testing::WithParamInterface<Handshake> {
 protected:
  HandshakeTest() : ProtocolTest(GetParam().behaviour) {}
};

TEST_P(HandshakeTest, ResultAndFramesOnTheLine) {
  const Handshake& expected = GetParam();
  ASSERT_EQ(OpenHandsetPort(900), 1);
  EXPECT_EQ(InitHandset(0x53), expected.result);
  const auto frames = Frames();
  EXPECT_EQ(CountFrames(frames, "probe"), expected.probes);
  EXPECT_EQ(CountFrames(frames, "attention"), expected.probes);
  EXPECT_EQ(CountFrames(frames, "enable"), expected.enables);
  EXPECT_EQ(CountFrames(frames, "detach"), expected.detaches);
  EXPECT_EQ(frames.size(), 2 * expected.probes + expected.enables + expected.detaches) << "stray bytes on the line";
  for (std::size_t i = 1; i + 1 < frames.size(); ++i) {
    if (frames[i].name == "detach" && frames[i + 1].name == "probe") {
      EXPECT_GE(frames[i + 1].firstByteAt - frames[i].lastByteAt, 1000ms) << "retry pause before frame " << i + 1;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Handsets, HandshakeTest,
                         ::testing::Values(Handshake{"AnswersAtOnce", {}, 1, 1, 1, 1},
                                           Handshake{"AnswersAtTheThirdAttempt", AnswersFromAttempt(3), 1, 3, 1, 3},
                                           Handshake{"FiveByteEnableReply", ShortEnableReply(), 0, 5, 5, 6},
                                           Handshake{"Silent", Silent(), 0, 5, 0, 6},
                                           Handshake{"ControlByteReplies", ControlByteReplies(), 1, 1, 1, 1}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ProtocolTest, AHangUpDuringTheHandshakeEndsItWithoutWaitingOnTheLine) {
  ASSERT_EQ(OpenHandsetPort(900), 1);
  handset_.HangUp();
  const auto start = Clock::now();
  EXPECT_EQ(InitHandset(0x53), 0);
  // Only the protocol's own pauses remain: 5 x (30 ms + 1000 ms).
  EXPECT_LT(Clock::now() - start, 8s);
}

}  // namespace

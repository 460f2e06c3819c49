// The simulated handset's pure core, byte for byte. The frames are spelt out
// here by hand, from the protocol's tables.

#include "tools/handset_sim/handset_model.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using handset_sim::Describe;
using handset_sim::EventKind;
using handset_sim::FeedResult;
using handset_sim::HandsetEvent;
using handset_sim::HandsetModel;
using handset_sim::kByteTime;
using handset_sim::KeyCaption;
using handset_sim::Time;
using handset_sim::TraceLine;
using Bytes = std::vector<std::uint8_t>;

const Time kT0{};

const Bytes kDetach{0xC1, 0xC0, 0xA2, 0xC0, 0xC0, 0xA0};
const Bytes kProbe{0xC0, 0xC0, 0xA3, 0xC0, 0xC0};
const Bytes kAttention{0xA1};
const Bytes kEnable{0xC1, 0xC0, 0xB4, 0xC0, 0xD5, 0xB3};
const Bytes kRelease{0xC0, 0xC4, 0xB0};
const Bytes kAttentionReply{0x4F, 0x4B, 0x39};
const Bytes kEnableReply{0x4F, 0x4B, 0x49, 0x39, 0x30, 0x30};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<std::string> Descriptions(const std::vector<HandsetEvent>& events) {
  std::vector<std::string> texts;
  for (const auto& event : events) texts.push_back(Describe(event));
  return texts;
}

// Feeds the chunks `step` apart (1 ms unless told) and collects everything.
FeedResult FeedChunks(HandsetModel& model, const std::vector<Bytes>& chunks,
                      std::chrono::nanoseconds step = std::chrono::milliseconds(1)) {
  FeedResult all;
  Time at = kT0;
  for (const Bytes& chunk : chunks) {
    FeedResult part = model.Feed(chunk, at);
    all.events.insert(all.events.end(), part.events.begin(), part.events.end());
    all.reply.insert(all.reply.end(), part.reply.begin(), part.reply.end());
    all.hangUp = all.hangUp || part.hangUp;
    at += step;
  }
  return all;
}

// ---------------------------------------------------------------- frames

struct FrameCase {
  const char* name;
  Bytes bytes;
  std::vector<std::string> events;
  Bytes reply;
};

class DecodesFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(DecodesFrame, InOneChunk) {
  HandsetModel model;
  const FeedResult result = model.Feed(GetParam().bytes, kT0);
  EXPECT_EQ(Descriptions(result.events), GetParam().events);
  EXPECT_EQ(result.reply, GetParam().reply);
  EXPECT_FALSE(result.hangUp);
}

TEST_P(DecodesFrame, OneByteAtATime) {
  HandsetModel model;
  std::vector<Bytes> chunks;
  for (const std::uint8_t byte : GetParam().bytes) chunks.push_back({byte});
  const FeedResult result = FeedChunks(model, chunks, std::chrono::nanoseconds(0));
  EXPECT_EQ(Descriptions(result.events), GetParam().events);
  EXPECT_EQ(result.reply, GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, DecodesFrame,
    ::testing::Values(
        FrameCase{"Detach", kDetach, {"detach"}, {}},
        FrameCase{"Probe", kProbe, {"probe (attempt 1)"}, {}},
        FrameCase{"Attention", kAttention, {"attention -> 3 byte reply"}, kAttentionReply},
        FrameCase{"Enable", kEnable, {"enable -> 6 byte reply"}, kEnableReply},
        FrameCase{"PressAndRelease", Join({{0xC0, 0xC4, 0xB5}, kRelease}), {"key 5  held 0.0 ms"}, {}},
        FrameCase{"LoneRelease", kRelease, {"release (no key held)"}, {}},
        FrameCase{"WholeHandshake",
                  Join({kDetach, kProbe, kAttention, kEnable}),
                  {"detach", "probe (attempt 1)", "attention -> 3 byte reply", "enable -> 6 byte reply"},
                  Join({kAttentionReply, kEnableReply})}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- chunking

struct ChunkCase {
  const char* name;
  std::vector<Bytes> chunks;
  std::vector<std::string> events;
};

class Chunking : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(Chunking, DecodesTheSameFrames) {
  HandsetModel model;
  EXPECT_EQ(Descriptions(FeedChunks(model, GetParam().chunks).events), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, Chunking,
    ::testing::Values(
        ChunkCase{"DetachSplitTwoFour", {{0xC1, 0xC0}, {0xA2, 0xC0, 0xC0, 0xA0}}, {"detach"}},
        ChunkCase{"ProbeSplitFourOne", {{0xC0, 0xC0, 0xA3, 0xC0}, {0xC0}}, {"probe (attempt 1)"}},
        ChunkCase{"EnableSplitThreeWays", {{0xC1}, {0xC0, 0xB4, 0xC0}, {0xD5, 0xB3}}, {"enable -> 6 byte reply"}},
        // The press ends and the release begins in the same chunk: no hold at all.
        ChunkCase{"KeySplitAcrossPressAndRelease", {{0xC0, 0xC5}, {0xBA, 0xC0}, {0xC4, 0xB0}}, {"key Alph  held 0.0 ms"}},
        ChunkCase{"KeyOneByteAPerMillisecond", {{0xC0}, {0xC5}, {0xBA}, {0xC0}, {0xC4}, {0xB0}},
                  {"key Alph  held 0.0 ms"}},  // bytes faster than the wire carries them
        ChunkCase{"DetachThenProbeWithoutGap", {Join({kDetach, kProbe})}, {"detach", "probe (attempt 1)"}},
        ChunkCase{"ProbeTailJoinedToAttention", {{0xC0, 0xC0, 0xA3}, {0xC0, 0xC0, 0xA1}},
                  {"probe (attempt 1)", "attention -> 3 byte reply"}},
        ChunkCase{"TwoKeyPressesInOneChunk",
                  {Join({{0xC0, 0xC4, 0xB1}, kRelease, {0xC0, 0xC4, 0xB2}, kRelease})},
                  {"key 1  held 0.0 ms", "key 2  held 0.0 ms"}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------- key codes

struct KeyCase {
  std::uint8_t code;
  Bytes frame;
  const char* caption;
};

class KeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCodes, DecodeWithTheirCaptions) {
  const KeyCase& key = GetParam();
  EXPECT_EQ(KeyCaption(key.code), key.caption);
  HandsetModel model;
  const FeedResult result = model.Feed(Join({key.frame, kRelease}), kT0);
  if (key.code == 0) {
    ASSERT_EQ(result.events.size(), 2u);
    EXPECT_EQ(result.events[0].kind, EventKind::LoneRelease);
    EXPECT_EQ(result.events[1].kind, EventKind::LoneRelease);
    EXPECT_EQ(model.CompletedPresses(), 0u);
  } else {
    ASSERT_EQ(result.events.size(), 1u);
    EXPECT_EQ(result.events[0].kind, EventKind::KeyPress);
    EXPECT_EQ(result.events[0].code, key.code);
    EXPECT_EQ(Describe(result.events[0]), std::string("key ") + key.caption + "  held 0.0 ms");
    EXPECT_EQ(model.CompletedPresses(), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(Codes, KeyCodes,
                         ::testing::Values(KeyCase{0, {0xC0, 0xC4, 0xB0}, "release"},
                                           KeyCase{1, {0xC0, 0xC4, 0xB1}, "1"},
                                           KeyCase{10, {0xC0, 0xC4, 0xBA}, "0"},
                                           KeyCase{17, {0xC0, 0xC5, 0xB1}, "Clr"},
                                           KeyCase{26, {0xC0, 0xC5, 0xBA}, "Alph"},
                                           KeyCase{255, {0xC0, 0xD3, 0xBF}, "255"}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.code); });

TEST(KeyCaptions, FollowTheKeypadTable) {
  const std::vector<std::pair<int, std::string>> table{
      {1, "1"},    {2, "2"},    {3, "3"},    {4, "4"},    {5, "5"},   {6, "6"},    {7, "7"},
      {8, "8"},    {9, "9"},    {10, "0"},   {11, "*"},   {12, "#"},  {13, "Snd"}, {14, "End"},
      {15, "15"},  {16, "16"},  {17, "Clr"}, {18, "Sto"}, {19, "Rcl"}, {20, "-"},  {21, "+"},
      {22, "Menu"}, {23, "23"}, {26, "Alph"}, {27, "27"}, {128, "128"}};
  for (const auto& [code, caption] : table) EXPECT_EQ(KeyCaption(static_cast<std::uint8_t>(code)), caption) << code;
}

// ---------------------------------------------------------------- hold time

// Bytes timed as a 2400 baud wire delivers them: each stop bit 4.1666 ms
// after the one before, or on arrival when the line was idle.
TEST(HoldTime, RunsFromThePressFramesLastStopBitToTheReleaseFramesStartBit) {
  HandsetModel model;
  EXPECT_TRUE(model.Feed(Bytes{0xC0, 0xC4, 0xB5}, kT0).events.empty());  // on the wire until T0 + 2 bytes
  EXPECT_TRUE(model.Feed(0xC0, kT0 + 112500us).events.empty());         // release's first stop bit
  const FeedResult result = model.Feed(Bytes{0xC4, 0xB0}, kT0 + 112500us);
  ASSERT_EQ(result.events.size(), 1u);
  const HandsetEvent& press = result.events[0];
  EXPECT_EQ(press.kind, EventKind::KeyPress);
  EXPECT_EQ(press.code, 5);
  EXPECT_EQ(press.hold, 112500us - 3 * kByteTime);
  EXPECT_EQ(press.firstByteAt, kT0);
  EXPECT_EQ(Describe(press), "key 5  held 100.0 ms");
  EXPECT_EQ(TraceLine(press, kT0 - 1234500us), "1234.5 ms  key 5  held 100.0 ms");
}

TEST(HoldTime, BytesThatArriveSpreadOutAreTakenAsTheyCame) {
  HandsetModel model;
  model.Feed(0xC0, kT0);
  model.Feed(0xC4, kT0 + 10ms);
  model.Feed(0xB5, kT0 + 20ms);
  const FeedResult result = model.Feed(Bytes{0xC0, 0xC4, 0xB0}, kT0 + 120500us);
  ASSERT_EQ(result.events.size(), 1u);
  EXPECT_EQ(result.events[0].hold, 100500us - kByteTime);
}

TEST(HoldTime, AnotherPressEndsTheHeldKey) {
  HandsetModel model;
  model.Feed(Bytes{0xC0, 0xC4, 0xB1}, kT0);
  const FeedResult second = model.Feed(Bytes{0xC0, 0xC4, 0xB2}, kT0 + 62500us);
  ASSERT_EQ(second.events.size(), 1u);
  EXPECT_EQ(Describe(second.events[0]), "key 1  held 50.0 ms");
  const FeedResult release = model.Feed(kRelease, kT0 + 175ms);
  EXPECT_EQ(Descriptions(release.events), std::vector<std::string>{"key 2  held 100.0 ms"});
  EXPECT_EQ(model.CompletedPresses(), 2u);
}

// ---------------------------------------------------------------- replies

struct ReplyCase {
  const char* name;
  HandsetBehaviour behaviour;
  unsigned attempts;  // probe, attention, enable, detach each
  std::vector<std::string> events;
  Bytes reply;
};

HandsetBehaviour Silent() {
  HandsetBehaviour behaviour;
  behaviour.attentionReply.clear();
  behaviour.enableReply.clear();
  return behaviour;
}

HandsetBehaviour EnableReplyOf(std::size_t n) {
  HandsetBehaviour behaviour;
  behaviour.enableReply.assign(n, 0x30);
  return behaviour;
}

HandsetBehaviour AnswerFrom(unsigned attempt) {
  HandsetBehaviour behaviour;
  behaviour.answerFromAttempt = attempt;
  return behaviour;
}

class Replies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(Replies, FollowTheBehaviour) {
  const ReplyCase& c = GetParam();
  HandsetModel model(c.behaviour);
  std::vector<Bytes> chunks;
  for (unsigned i = 0; i < c.attempts; ++i) {
    chunks.push_back(kProbe);
    chunks.push_back(kAttention);
    chunks.push_back(kEnable);
    chunks.push_back(kDetach);
  }
  const FeedResult result = FeedChunks(model, chunks);
  EXPECT_EQ(Descriptions(result.events), c.events);
  EXPECT_EQ(result.reply, c.reply);
  EXPECT_EQ(model.Attempt(), c.attempts);
}

INSTANTIATE_TEST_SUITE_P(
    Behaviours, Replies,
    ::testing::Values(
        ReplyCase{"Default", {}, 1,
                  {"probe (attempt 1)", "attention -> 3 byte reply", "enable -> 6 byte reply", "detach"},
                  Join({kAttentionReply, kEnableReply})},
        ReplyCase{"Silent", Silent(), 2,
                  {"probe (attempt 1)", "attention -> no reply", "enable -> no reply", "detach",
                   "probe (attempt 2)", "attention -> no reply", "enable -> no reply", "detach"},
                  {}},
        ReplyCase{"EnableReplyOfFive", EnableReplyOf(5), 1,
                  {"probe (attempt 1)", "attention -> 3 byte reply", "enable -> 5 byte reply", "detach"},
                  Join({kAttentionReply, {0x30, 0x30, 0x30, 0x30, 0x30}})},
        ReplyCase{"AnswerFromAttemptThree", AnswerFrom(3), 3,
                  {"probe (attempt 1)", "attention -> no reply", "enable -> no reply", "detach",
                   "probe (attempt 2)", "attention -> no reply", "enable -> no reply", "detach",
                   "probe (attempt 3)", "attention -> 3 byte reply", "enable -> 6 byte reply", "detach"},
                  Join({kAttentionReply, kEnableReply})}),
    [](const auto& info) { return info.param.name; });

TEST(Replies, AttentionBeforeAnyProbeBelongsToTheFirstAttempt) {
  HandsetModel answering;
  EXPECT_EQ(answering.Feed(kAttention, kT0).reply, kAttentionReply);
  HandsetModel late(AnswerFrom(2));
  EXPECT_TRUE(late.Feed(kAttention, kT0).reply.empty());
}

TEST(Replies, ChatterFollowsEveryRelease) {
  HandsetBehaviour behaviour;
  behaviour.chatter = true;
  HandsetModel model(behaviour);
  const Bytes stray(handset_sim::kChatterBytes.begin(), handset_sim::kChatterBytes.end());
  EXPECT_TRUE(model.Feed(Bytes{0xC0, 0xC4, 0xB5}, kT0).reply.empty());
  EXPECT_EQ(model.Feed(kRelease, kT0 + 100ms).reply, stray);
  EXPECT_EQ(model.Feed(Join({{0xC0, 0xC4, 0xB6}, kRelease}), kT0 + 200ms).reply, stray);
  // The stray bytes start no frame, so the program's own decoder cannot mistake them.
  HandsetModel listener;
  const FeedResult heard = listener.Feed(stray, kT0);
  ASSERT_EQ(heard.events.size(), 1u);
  EXPECT_EQ(heard.events[0].kind, EventKind::Unknown);
}

// ---------------------------------------------------------------- garbage

struct GarbageCase {
  const char* name;
  std::vector<Bytes> chunks;
  std::vector<std::string> events;
};

class Garbage : public ::testing::TestWithParam<GarbageCase> {};

TEST_P(Garbage, IsReportedAndTheNextFrameStillDecodes) {
  HandsetModel model;
  EXPECT_EQ(Descriptions(FeedChunks(model, GetParam().chunks).events), GetParam().events);
}

INSTANTIATE_TEST_SUITE_P(
    Resync, Garbage,
    ::testing::Values(
        GarbageCase{"BeforeAFrame", {Join({{0x00, 0x7F, 0xFF}, kDetach})}, {"unknown 00 7F FF", "detach"}},
        GarbageCase{"TruncatedDetachThenProbe", {{0xC1, 0xC0, 0xA2}, kProbe}, {"unknown C1 C0 A2", "probe (attempt 1)"}},
        GarbageCase{"BrokenEnableThenAttention", {{0xC1, 0xC0, 0xB4, 0xC0, 0xD5, 0xB2, 0xA1}},
                    {"unknown C1 C0 B4 C0 D5 B2", "attention -> 3 byte reply"}},
        GarbageCase{"ExtraC0BeforeAKeyFrame", {{0xC0, 0xC0, 0xC0, 0xC4, 0xB5}, kRelease},
                    {"unknown C0 C0", "key 5  held 0.0 ms"}},
        GarbageCase{"KeyFrameWithBadLastByte", {{0xC0, 0xC4, 0xA5}, kDetach}, {"unknown C0 C4 A5", "detach"}},
        GarbageCase{"KeyFrameSecondByteOutOfRange", {{0xC0, 0xD4, 0xB0}, kAttention},
                    {"unknown C0 D4 B0", "attention -> 3 byte reply"}},
        GarbageCase{"AttentionInsideAFrame", {{0xC1, 0xC0, 0xA1, 0xA2}},
                    {"unknown C1 C0", "attention -> 3 byte reply", "unknown A2"}},
        GarbageCase{"TrailingGarbageInItsOwnChunk", {kProbe, {0x12, 0x34}}, {"probe (attempt 1)", "unknown 12 34"}}),
    [](const auto& info) { return info.param.name; });

TEST(Garbage, AStalePrefixIsGivenUpWhenIdle) {
  HandsetModel model;
  EXPECT_TRUE(model.Feed(Bytes{0xC1, 0xC0}, kT0).events.empty());
  EXPECT_TRUE(model.Idle(kT0 + 100ms).events.empty());
  EXPECT_EQ(Descriptions(model.Idle(kT0 + 300ms).events), std::vector<std::string>{"unknown C1 C0"});
  EXPECT_EQ(Descriptions(model.Feed(kAttention, kT0 + 301ms).events),
            std::vector<std::string>{"attention -> 3 byte reply"});
}

TEST(Garbage, AStalePrefixIsNotContinuedByALateByte) {
  HandsetModel model;
  model.Feed(Bytes{0xC0, 0xC4}, kT0);
  // B5 would complete a key frame, but it comes long after the frame began.
  EXPECT_EQ(Descriptions(model.Feed(0xB5, kT0 + 1s).events), std::vector<std::string>{"unknown C0 C4 B5"});
  EXPECT_EQ(model.CompletedPresses(), 0u);
}

// ---------------------------------------------------------------- hang-up

TEST(HangUp, AfterTheNthCompletePress) {
  HandsetBehaviour behaviour;
  behaviour.hangUpAfterKeys = 2;
  HandsetModel model(behaviour);
  const Bytes press{0xC0, 0xC4, 0xB5};
  EXPECT_FALSE(model.Feed(Join({press, kRelease}), kT0).hangUp);
  EXPECT_FALSE(model.Feed(press, kT0 + 200ms).hangUp);  // not complete yet
  EXPECT_FALSE(model.HungUp());
  const FeedResult last = model.Feed(Join({kRelease, kDetach}), kT0 + 312500us);
  EXPECT_TRUE(last.hangUp);
  EXPECT_TRUE(model.HungUp());
  EXPECT_EQ(Descriptions(last.events), (std::vector<std::string>{"key 5  held 100.0 ms", "hang-up"}));
  EXPECT_EQ(last.events[1].firstByteAt, kT0 + 312500us + 2 * kByteTime);  // the release's last stop bit
  // The line is gone: nothing more is heard or answered.
  const FeedResult after = model.Feed(Join({kProbe, kAttention}), kT0 + 400ms);
  EXPECT_TRUE(after.events.empty());
  EXPECT_TRUE(after.reply.empty());
}

TEST(HangUp, ChatterGoesOutBeforeTheLineCloses) {
  HandsetBehaviour behaviour;
  behaviour.chatter = true;
  behaviour.hangUpAfterKeys = 1;
  HandsetModel model(behaviour);
  const FeedResult result = model.Feed(Join({{0xC0, 0xC4, 0xB1}, kRelease}), kT0);
  EXPECT_TRUE(result.hangUp);
  EXPECT_EQ(result.reply, Bytes(handset_sim::kChatterBytes.begin(), handset_sim::kChatterBytes.end()));
}

TEST(HangUp, NeverWithoutTheBehaviour) {
  HandsetModel model;
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(model.Feed(Join({{0xC0, 0xC4, 0xB1}, kRelease}), kT0).hangUp);
  EXPECT_EQ(model.CompletedPresses(), 50u);
}

// ---------------------------------------------------------------- trace

TEST(Trace, LinesStartWithMillisecondsSinceStart) {
  HandsetModel model;
  const Time start = kT0;
  const FeedResult result = model.Feed(kProbe, start + 1234567us);
  ASSERT_EQ(result.events.size(), 1u);
  EXPECT_EQ(TraceLine(result.events[0], start), "1234.6 ms  probe (attempt 1)");
}

}  // namespace

#include "tools/handset_sim/handset_model.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace handset_sim {

namespace {

using Milliseconds = std::chrono::duration<double, std::milli>;

struct Caption {
  std::uint8_t code;
  const char* text;
};

// The handset's key codes and the captions its keys carry.
constexpr std::array<Caption, 22> kCaptions{{
    {0, "release"}, {1, "1"},    {2, "2"},    {3, "3"},    {4, "4"},     {5, "5"},
    {6, "6"},       {7, "7"},    {8, "8"},    {9, "9"},    {10, "0"},    {11, "*"},
    {12, "#"},      {13, "Snd"}, {14, "End"}, {17, "Clr"}, {18, "Sto"},  {19, "Rcl"},
    {20, "-"},      {21, "+"},   {22, "Menu"}, {26, "Alph"},
}};

enum class Frame { Detach, Probe, Attention, Enable, Key };

struct Match {
  bool isPrefix = false;           // the bytes so far may still become a frame
  std::optional<Frame> complete;   // the bytes start with this whole frame
  std::size_t length = 0;          // of the complete frame
};

template <std::size_t N>
void MatchFixed(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& frame, Frame kind,
                Match& match) {
  const std::size_t n = std::min(bytes.size(), N);
  if (!std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), frame.begin())) return;
  if (bytes.size() >= N) {
    match.complete = kind;
    match.length = N;
  } else {
    match.isPrefix = true;
  }
}

bool IsKeyByte(std::size_t index, std::uint8_t value) {
  switch (index) {
    case 0: return value == kKeyFrameStart;
    case 1: return value >= 0xC4 && value <= 0xD3;
    default: return (value & 0xF0) == 0xB0;
  }
}

void MatchKey(std::span<const std::uint8_t> bytes, Match& match) {
  const std::size_t n = std::min<std::size_t>(bytes.size(), 3);
  for (std::size_t i = 0; i < n; ++i)
    if (!IsKeyByte(i, bytes[i])) return;
  if (bytes.size() >= 3) {
    match.complete = Frame::Key;
    match.length = 3;
  } else {
    match.isPrefix = true;
  }
}

Match Classify(std::span<const std::uint8_t> bytes) {
  Match match;
  if (bytes.empty()) return match;
  if (bytes[0] == kAttentionByte) {
    match.complete = Frame::Attention;
    match.length = 1;
    return match;
  }
  MatchFixed(bytes, kDetachFrame, Frame::Detach, match);
  if (!match.complete) MatchFixed(bytes, kProbeFrame, Frame::Probe, match);
  if (!match.complete) MatchFixed(bytes, kEnableFrame, Frame::Enable, match);
  if (!match.complete) MatchKey(bytes, match);
  return match;
}

std::uint8_t KeyCode(std::uint8_t second, std::uint8_t third) {
  return static_cast<std::uint8_t>(((second - 0xC4) << 4) | (third & 0x0F));
}

std::string Hex(std::uint8_t value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

std::string FormatMs(std::chrono::nanoseconds duration) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f ms", Milliseconds(duration).count());
  return text;
}

std::string ReplyText(const char* frame, std::size_t length) {
  if (length == 0) return std::string(frame) + " -> no reply";
  return std::string(frame) + " -> " + std::to_string(length) + " byte reply";
}

}  // namespace

std::string KeyCaption(std::uint8_t code) {
  for (const Caption& caption : kCaptions)
    if (caption.code == code) return caption.text;
  return std::to_string(code);
}

std::string Describe(const HandsetEvent& event) {
  switch (event.kind) {
    case EventKind::Detach: return "detach";
    case EventKind::Probe: return "probe (attempt " + std::to_string(event.attempt) + ")";
    case EventKind::Attention: return ReplyText("attention", event.replyLength);
    case EventKind::Enable: return ReplyText("enable", event.replyLength);
    case EventKind::KeyPress: return "key " + KeyCaption(event.code) + "  held " + FormatMs(event.hold);
    case EventKind::LoneRelease: return "release (no key held)";
    case EventKind::HangUp: return "hang-up";
    case EventKind::Unknown: break;
  }
  std::string text = "unknown";
  for (const std::uint8_t byte : event.bytes) text += " " + Hex(byte);
  return text;
}

std::string TraceLine(const HandsetEvent& event, Time start) {
  return FormatMs(event.firstByteAt - start) + "  " + Describe(event);
}

HandsetModel::HandsetModel(HandsetBehaviour behaviour) : behaviour_(std::move(behaviour)) {}

FeedResult HandsetModel::Feed(std::span<const std::uint8_t> bytes, Time at) {
  FeedResult out;
  for (const std::uint8_t byte : bytes) {
    if (hungUp_) break;
    // A frame whose bytes stopped coming long ago is not continued by this one.
    if (!pending_.empty() && at - pending_.back().at > kStalePrefix) {
      unknown_.insert(unknown_.end(), pending_.begin(), pending_.end());
      pending_.clear();
    }
    Take({byte, WireEnd(at)}, out);
  }
  FlushUnknown(out);
  return out;
}

// A pseudo-terminal hands over a whole frame at once, where a 2400 baud wire
// would spread it over 4.2 ms a byte; each byte is timed as the moment its
// stop bit would have arrived, so holds read the same on either line.
Time HandsetModel::WireEnd(Time arrival) {
  wireFreeAt_ = std::max(arrival, wireFreeAt_ + kByteTime);
  return wireFreeAt_;
}

FeedResult HandsetModel::Idle(Time now) {
  FeedResult out;
  if (!hungUp_ && !pending_.empty() && now - pending_.back().at > kStalePrefix) {
    unknown_.insert(unknown_.end(), pending_.begin(), pending_.end());
    pending_.clear();
  }
  FlushUnknown(out);
  return out;
}

void HandsetModel::Take(const PendingByte& byte, FeedResult& out) {
  pending_.push_back(byte);
  Resolve(out);
}

// Consumes whole frames from the front of the pending bytes, gives up the
// first byte whenever no frame can start there, and stops at a prefix.
void HandsetModel::Resolve(FeedResult& out) {
  while (!pending_.empty() && !hungUp_) {
    std::vector<std::uint8_t> values(pending_.size());
    std::transform(pending_.begin(), pending_.end(), values.begin(), [](const PendingByte& b) { return b.value; });
    const Match match = Classify(values);
    if (match.complete) {
      FlushUnknown(out);
      const Time first = pending_.front().at;
      const Time last = pending_[match.length - 1].at;
      HandsetEvent event;
      event.firstByteAt = first;
      event.lastByteAt = last;
      event.attempt = attempt_;
      switch (*match.complete) {
        case Frame::Detach:
          event.kind = EventKind::Detach;
          out.events.push_back(std::move(event));
          break;
        case Frame::Probe:
          event.kind = EventKind::Probe;
          event.attempt = ++attempt_;
          out.events.push_back(std::move(event));
          break;
        case Frame::Attention:
        case Frame::Enable: {
          const bool attention = *match.complete == Frame::Attention;
          const auto& reply = attention ? behaviour_.attentionReply : behaviour_.enableReply;
          event.kind = attention ? EventKind::Attention : EventKind::Enable;
          if (Answering()) {
            event.replyLength = reply.size();
            out.reply.insert(out.reply.end(), reply.begin(), reply.end());
          }
          out.events.push_back(std::move(event));
          break;
        }
        case Frame::Key:
          OnKeyFrame(KeyCode(values[1], values[2]), first, last, out);
          break;
      }
      pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(match.length));
    } else if (match.isPrefix) {
      return;
    } else {
      DropFirstAsUnknown();
    }
  }
}

void HandsetModel::DropFirstAsUnknown() {
  unknown_.push_back(pending_.front());
  pending_.erase(pending_.begin());
}

void HandsetModel::FlushUnknown(FeedResult& out) {
  if (unknown_.empty()) return;
  HandsetEvent event;
  event.kind = EventKind::Unknown;
  event.firstByteAt = unknown_.front().at;
  event.lastByteAt = unknown_.back().at;
  event.attempt = attempt_;
  for (const PendingByte& byte : unknown_) event.bytes.push_back(byte.value);
  unknown_.clear();
  out.events.push_back(std::move(event));
}

void HandsetModel::OnKeyFrame(std::uint8_t code, Time first, Time last, FeedResult& out) {
  if (code == kReleaseCode && !held_) {
    HandsetEvent event;
    event.kind = EventKind::LoneRelease;
    event.firstByteAt = first;
    event.lastByteAt = last;
    event.attempt = attempt_;
    out.events.push_back(std::move(event));
    return;
  }
  if (held_) {
    // A release ends the press; so does another key's press frame, which
    // the keypad sees as the first key let go.
    HandsetEvent event;
    event.kind = EventKind::KeyPress;
    event.firstByteAt = held_->firstByteAt;
    event.lastByteAt = code == kReleaseCode ? last : first;
    event.attempt = attempt_;
    event.code = held_->code;
    // From the press frame's last stop bit to the release frame's start bit.
    event.hold = first - kByteTime - held_->lastByteAt;
    held_.reset();
    ++presses_;
    out.events.push_back(std::move(event));
    if (behaviour_.chatter) out.reply.insert(out.reply.end(), kChatterBytes.begin(), kChatterBytes.end());
    if (behaviour_.hangUpAfterKeys && presses_ >= *behaviour_.hangUpAfterKeys) {
      HandsetEvent hangUp;
      hangUp.kind = EventKind::HangUp;
      hangUp.firstByteAt = last;
      hangUp.lastByteAt = last;
      hangUp.attempt = attempt_;
      out.events.push_back(std::move(hangUp));
      out.hangUp = true;
      hungUp_ = true;
      return;
    }
  }
  if (code != kReleaseCode) held_ = HeldKey{code, first, last};
}

bool HandsetModel::Answering() const {
  // An attention byte or enable frame before any probe belongs to the first attempt.
  return std::max(attempt_, 1u) >= std::max(behaviour_.answerFromAttempt, 1u);
}

}  // namespace handset_sim

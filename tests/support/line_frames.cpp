#include "tests/support/line_frames.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

struct KnownFrame {
  const char* name;
  std::vector<std::uint8_t> bytes;
};

// Written out by hand rather than taken from the link headers, so that a
// wrong constant there shows up here.
const std::array<KnownFrame, 4> kFrames{{
    {"detach", {0xC1, 0xC0, 0xA2, 0xC0, 0xC0, 0xA0}},
    {"probe", {0xC0, 0xC0, 0xA3, 0xC0, 0xC0}},
    {"attention", {0xA1}},
    {"enable", {0xC1, 0xC0, 0xB4, 0xC0, 0xD5, 0xB3}},
}};

bool MatchesAt(const std::vector<LineByte>& line, std::size_t at, const std::vector<std::uint8_t>& bytes) {
  if (at + bytes.size() > line.size()) return false;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (line[at + i].value != bytes[i]) return false;
  return true;
}

bool IsKeyFrameAt(const std::vector<LineByte>& line, std::size_t at) {
  return at + 3 <= line.size() && line[at].value == 0xC0 && line[at + 1].value >= 0xC4 &&
         line[at + 1].value <= 0xD3 && (line[at + 2].value & 0xF0) == 0xB0;
}

std::string Hex(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

}  // namespace

std::vector<LineFrame> SplitFrames(const std::vector<LineByte>& line) {
  std::vector<LineFrame> frames;
  std::size_t at = 0;
  auto take = [&](std::string name, std::size_t length) {
    frames.push_back({std::move(name), line[at].at, line[at + length - 1].at});
    at += length;
  };
  while (at < line.size()) {
    const auto known = std::find_if(kFrames.begin(), kFrames.end(),
                                    [&](const KnownFrame& frame) { return MatchesAt(line, at, frame.bytes); });
    if (known != kFrames.end()) {
      take(known->name, known->bytes.size());
    } else if (IsKeyFrameAt(line, at)) {
      const int code = ((line[at + 1].value - 0xC4) << 4) | (line[at + 2].value & 0x0F);
      take("key " + std::to_string(code), 3);
    } else {
      take("junk " + Hex(line[at].value), 1);
    }
  }
  return frames;
}

std::vector<std::string> FrameNames(const std::vector<LineFrame>& frames) {
  std::vector<std::string> names;
  for (const auto& frame : frames) names.push_back(frame.name);
  return names;
}

std::size_t CountFrames(const std::vector<LineFrame>& frames, const std::string& name) {
  return static_cast<std::size_t>(
      std::count_if(frames.begin(), frames.end(), [&](const LineFrame& frame) { return frame.name == name; }));
}

#pragma once
// Splits what reached the handset into the protocol's frames, by name, so a
// test can state a whole exchange in one line.

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/fake_handset.h"

struct LineFrame {
  std::string name;  // "detach", "probe", "attention", "enable", "key 26", or "junk XX"
  SteadyTime firstByteAt;
  SteadyTime lastByteAt;
};

std::vector<LineFrame> SplitFrames(const std::vector<LineByte>& line);
std::vector<std::string> FrameNames(const std::vector<LineFrame>& frames);
std::size_t CountFrames(const std::vector<LineFrame>& frames, const std::string& name);

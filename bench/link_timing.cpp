// How close a key press comes to the protocol's timing over a real
// pseudo-terminal: hold error against 100 ms, latency from the call to the
// first byte, and the whole press. Prints figures; asserts nothing.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/handset_protocol.h"
#include "tests/support/fake_handset.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A pseudo-terminal delivers a frame at once; on a 2400 baud wire the press
// frame's last bit leaves three byte times after its first.
constexpr double kKeyFrameLineMs = 3 * 10 * 1000.0 / PORT_BAUD;

struct Summary {
  double min, median, p99, max;
};

Summary Summarise(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  auto at = [&](double q) { return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))]; };
  return {values.front(), at(0.5), at(0.99), values.back()};
}

void PrintRow(const char* name, const Summary& s) {
  std::printf("%-28s %9.3f %9.3f %9.3f %9.3f\n", name, s.min, s.median, s.p99, s.max);
}

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  FakeHandset handset;
  ScopedCom1 com1(handset.DevicePath());
  if (OpenHandsetPort(OKI_900) != HANDSET_OK) {
    std::fprintf(stderr, "link_timing: cannot open %s\n", handset.DevicePath().c_str());
    return 1;
  }
  ArmTransmitEmpty();  // as after the handshake, which this skips

  std::vector<double> holdError, firstByte, total;
  for (int i = 0; i < presses; ++i) {
    const std::size_t before = handset.Received().size();
    const auto start = Clock::now();
    PressHandsetKey(5);
    const auto end = Clock::now();
    if (!handset.WaitForBytes(before + 6, 1s)) {
      std::fprintf(stderr, "link_timing: press %d did not arrive\n", i);
      return 1;
    }
    const auto line = handset.Received();
    const LineByte& pressFirst = line[before];
    const LineByte& releaseFirst = line[before + 3];
    holdError.push_back(Milliseconds(releaseFirst.at - pressFirst.at) - kKeyFrameLineMs - KEY_HOLD_MS);
    firstByte.push_back(Milliseconds(pressFirst.at - start));
    total.push_back(Milliseconds(end - start));
  }
  CloseHandsetPort();

  std::printf("%d key presses over %s (pseudo-terminal, 2400 baud line time modelled)\n", presses,
              handset.DevicePath().c_str());
  std::printf("%-28s %9s %9s %9s %9s\n", "ms", "min", "median", "p99", "max");
  PrintRow("hold error vs 100 ms (wire)", Summarise(holdError));
  PrintRow("call to first byte", Summarise(firstByte));
  PrintRow("whole press (call to return)", Summarise(total));
  return 0;
}

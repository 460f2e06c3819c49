// A whole run of the program's link, in its calling order, against the real
// simulator: what the simulator prints is what a handset would have seen.

#include <signal.h>

#include <gtest/gtest.h>

#include "link/handset_protocol.h"
#include "link/serial_port.h"
#include "tests/support/fake_handset.h"
#include "tests/support/sim_process.h"

namespace {

using namespace std::chrono_literals;
using sim_process::IsTraceLine;
using sim_process::Simulator;

TEST(SimulatorSession, HandshakeKeyPressesAndDetach) {
  Simulator sim({});
  ASSERT_TRUE(sim.Started());
  const auto device = sim.Out().Next(5s);
  ASSERT_TRUE(device.has_value());
  ScopedCom1 com1(*device);

  ASSERT_EQ(OpenHandsetPort(900), 1);
  EXPECT_EQ(InitHandset(0x53), 1);
  PressHandsetKey(5);
  PressHandsetKey(26);
  SendDetachFrame();
  CloseHandsetPort();

  const char* const expected[] = {
      "detach", R"(probe \(attempt 1\))", "attention -> 3 byte reply", "enable -> 6 byte reply",
      R"(key 5  held 10[0-9]\.[0-9] ms)", R"(key Alph  held 10[0-9]\.[0-9] ms)", "detach",
  };
  for (const char* what : expected) EXPECT_TRUE(IsTraceLine(sim.Out().Next(2s), what));
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.WaitForExit(5s), 0);
}

}  // namespace

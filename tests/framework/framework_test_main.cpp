#include <gtest/gtest.h>

#include <QApplication>

#include "framework/dialog_units.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/probe_dialog.h"
#include "tests/framework/probe_resources.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  UseOffscreenPlatformByDefault();
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  probeApp.InitApplication();
  PinDialogBaseUnits(kTestBaseUnits);
  return RUN_ALL_TESTS();
}

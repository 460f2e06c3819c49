#include "tests/framework/widget_test_main.h"

#include <gtest/gtest.h>

#include <QApplication>

int RunWidgetTests(int argc, char** argv, CWinApp& app, DialogBaseUnits pinnedUnits) {
  testing::InitGoogleTest(&argc, argv);
  // Offscreen unless the environment chose a platform, so that test
  // discovery at build time needs no display either.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  app.InitApplication();
  // Pixel geometry is checked exactly, whatever fonts the machine has.
  PinDialogBaseUnits(pinnedUnits);
  return RUN_ALL_TESTS();
}

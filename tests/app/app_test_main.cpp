#include <gtest/gtest.h>

#include <QApplication>

#include "app/keypad_app.h"
#include "framework/dialog_units.h"
#include "tests/framework/modal_driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  UseOffscreenPlatformByDefault();
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  theApp.InitApplication();
  // Pixel geometry is checked exactly at the classic units, whatever the fonts.
  PinDialogBaseUnits(DialogBaseUnits{6, 13});
  return RUN_ALL_TESTS();
}

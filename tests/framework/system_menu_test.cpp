#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include "tests/framework/modal_driver.h"
#include "tests/framework/qt_printers.h"
#include "tests/framework/probe_dialog.h"

namespace {

constexpr UINT IDM_PROBE = 0x0020;

QStringList PopupItems() {
  QStringList items;
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) return items;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) items << action->text();
  }
  return items;
}

void ClosePopup() {
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

template <typename Dialog>
class Shown : public testing::Test {
 protected:
  void SetUp() override {
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  }
  void TearDown() override { ClosePopup(); }

  QWidget* window() { return dialog.GetSafeHwnd(); }
  QStringList MenuItems() {
    dialog.ShowSystemMenu();
    const QStringList items = PopupItems();
    ClosePopup();
    return items;
  }

  Dialog dialog;
};

using SystemMenu = Shown<ProbeDialog>;

TEST_F(SystemMenu, HoldsMoveAndCloseAndPopsUpAtTheWindowsTopLeft) {
  EXPECT_EQ(MenuItems(), (QStringList{"&Move", "&Close\tAlt+F4"}));
  dialog.ShowSystemMenu();
  EXPECT_EQ(QApplication::activePopupWidget()->pos(), window()->mapToGlobal(QPoint(0, 0)));
  EXPECT_TRUE(window()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST_F(SystemMenu, RemovingCloseByCommandDropsTheItemAndTheCloseButton) {
  CMenu* menu = dialog.GetSystemMenu(FALSE);
  EXPECT_EQ(menu->RemoveMenu(SC_CLOSE, MF_BYCOMMAND), TRUE);
  EXPECT_EQ(menu->RemoveMenu(SC_CLOSE, MF_BYCOMMAND), FALSE);
  EXPECT_EQ(MenuItems(), QStringList{"&Move"});
  EXPECT_FALSE(window()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(window()->windowFlags().testFlag(Qt::CustomizeWindowHint));
}

TEST_F(SystemMenu, AppendedItemsRunAsSystemCommandsOnceTheMenuHasClosed) {
  CMenu* menu = dialog.GetSystemMenu(FALSE);
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, IDM_PROBE, "&Probe");
  dialog.ShowSystemMenu();
  EXPECT_EQ(PopupItems(), (QStringList{"&Move", "&Close\tAlt+F4", "&Probe"}));
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
  EXPECT_TRUE(dialog.systemCommands.empty());
  ASSERT_TRUE(WaitUntil([&] { return !dialog.systemCommands.empty(); }));
  EXPECT_EQ(dialog.systemCommands, std::vector<UINT>{IDM_PROBE});
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(SystemMenu, RevertingRestoresTheStandardEntries) {
  CMenu* menu = dialog.GetSystemMenu(FALSE);
  menu->RemoveMenu(SC_CLOSE, MF_BYCOMMAND);
  menu->AppendMenu(MF_STRING, IDM_PROBE, "&Probe");
  EXPECT_EQ(dialog.GetSystemMenu(TRUE), nullptr);
  EXPECT_EQ(MenuItems(), (QStringList{"&Move", "&Close\tAlt+F4"}));
  EXPECT_TRUE(window()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

struct RightClickCase {
  const char* where;
  QPoint point;
  bool opensMenu;
};

TEST_F(SystemMenu, ARightClickOpensItOnTheBackgroundOnly) {
  const RightClickCase cases[] = {
      {"background", QPoint(170, 90), true},
      {"static text", QPoint(10, 70), true},  // statics are transparent to the mouse
      {"push button", QPoint(20, 15), false},
  };
  for (const RightClickCase& c : cases) {
    QTest::mouseClick(window()->windowHandle(), Qt::RightButton, {}, c.point);
    EXPECT_EQ(QApplication::activePopupWidget() != nullptr, c.opensMenu) << c.where;
    ClosePopup();
  }
}

using RightDoubleClicks = Shown<RightClickDialog>;

TEST_F(RightDoubleClicks, AreTheDialogsOwnAndOpenNoMenu) {
  QTest::mouseClick(window()->windowHandle(), Qt::RightButton, {}, QPoint(170, 90));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  QTest::mouseDClick(window()->windowHandle(), Qt::RightButton, {}, QPoint(160, 80));
  QTest::mouseDClick(window()->windowHandle(), Qt::RightButton, {}, QPoint(20, 15));  // on a button
  QTest::mouseDClick(window()->windowHandle(), Qt::LeftButton, {}, QPoint(160, 80));
  ASSERT_EQ(dialog.doubleClicks.size(), 1u);
  EXPECT_EQ(dialog.doubleClicks[0].x, 160);
  EXPECT_EQ(dialog.doubleClicks[0].y, 80);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTest>

#include "framework/message_box.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/qt_printers.h"
#include "tests/framework/probe_dialog.h"

namespace {

struct SeenBox {
  QString text;
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

SeenBox Inspect(QWidget& modal) {
  SeenBox seen;
  auto* box = qobject_cast<QMessageBox*>(&modal);
  if (box == nullptr) return seen;
  seen = {box->text(), box->windowTitle(), box->icon(), {}};
  for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
  return seen;
}

void ClickOk(QWidget& modal) {
  auto* box = qobject_cast<QMessageBox*>(&modal);
  QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
}

QString ExecutableBaseName() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

TEST(MessageBox, ShowsTheStringWithOneOkButtonTheWarningIconAndTheApplicationName) {
  SeenBox seen;
  WhenModalShows([&](QWidget& modal) {
    seen = Inspect(modal);
    ClickOk(modal);
  });
  EXPECT_EQ(AfxMessageBox(IDS_PROBE_MESSAGE, MB_OK), IDOK);
  EXPECT_EQ(seen.text, "Probe message.");
  EXPECT_EQ(seen.caption, ExecutableBaseName());
  EXPECT_EQ(seen.caption.toStdString(), probeApp.AppName());
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, QStringList{"OK"});
}

TEST(Help, F1InADialogShowsThatHelpCouldNotBeLaunched) {
  ProbeDialog dialog;
  dialog.Create();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetSafeHwnd()));
  SeenBox seen;
  WhenModalShows([&](QWidget& modal) { seen = Inspect(modal); });
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_EQ(seen.text, "Failed to launch help.");
  EXPECT_EQ(seen.caption, ExecutableBaseName());
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
}

TEST(Help, F1InAMessageBoxToo) {
  SeenBox seen;
  WhenModalShows([&](QWidget& outer) {
    WhenModalShows([&](QWidget& inner) { seen = Inspect(inner); });
    QTest::keyClick(&outer, Qt::Key_F1);
  });
  AfxMessageBox(IDS_PROBE_MESSAGE);
  EXPECT_EQ(seen.text, "Failed to launch help.");
}

TEST(Help, ShiftF1IsNotTheHelpKey) {
  ProbeDialog dialog;
  dialog.Create();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetSafeHwnd()));
  const auto ran = WhenModalShows([](QWidget&) {});
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ShiftModifier);
  QTest::qWait(50);
  EXPECT_FALSE(*ran);
}

}  // namespace

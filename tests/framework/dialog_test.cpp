#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "framework/dialog_builder.h"
#include "tests/framework/qt_printers.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/probe_dialog.h"

namespace {

// Centring as the dialog manager does it, on the windows' frames.
QPoint CentreOf(const QRect& rect) { return {(2 * rect.left() + rect.width()) / 2, (2 * rect.top() + rect.height()) / 2}; }
QPoint HalfOf(const QSize& size) { return {size.width() / 2, size.height() / 2}; }

// The probe dialog shown and active, as a test drives it.
class ShownProbe : public testing::Test {
 protected:
  void SetUp() override {
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
  }

  QWidget* window() { return dialog.GetSafeHwnd(); }
  QWidget* control(int id) { return dialog.GetDlgItem(id); }

  ProbeDialog dialog;
};

struct ControlGeometryCase {
  int id;
  QRect pixels;
};

TEST_F(ShownProbe, ControlsSitAtTheirTemplateGeometryInPixels) {
  const ControlGeometryCase cases[] = {
      {IDOK, QRect(6, 7, 60, 23)},
      {IDCANCEL, QRect(6, 36, 60, 23)},
      {IDC_PROBE_A, QRect(75, 7, 30, 23)},
      {IDC_PROBE_B, QRect(75, 36, 30, 23)},
  };
  for (const ControlGeometryCase& c : cases) {
    ASSERT_NE(control(c.id), nullptr) << c.id;
    EXPECT_EQ(control(c.id)->geometry(), c.pixels) << c.id;
  }
  const auto labels = window()->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 2);
  EXPECT_EQ(labels[0]->geometry(), QRect(6, 65, 90, 13));
  EXPECT_EQ(labels[0]->text(), "Label");
  EXPECT_EQ(labels[0]->alignment(), Qt::AlignLeft | Qt::AlignTop);
  // An icon static takes the icon's size, not the template's.
  EXPECT_EQ(labels[1]->geometry(), QRect(120, 7, 32, 32));
}

TEST_F(ShownProbe, WindowHasTheTemplatesCaptionFontFixedSizeAndPosition) {
  EXPECT_EQ(window()->windowTitle(), "Probe");
  EXPECT_EQ(QFontInfo(window()->font()).family(), "Liberation Sans");
  EXPECT_EQ(window()->size(), QSize(180, 98));
  EXPECT_EQ(window()->minimumSize(), window()->maximumSize());
  EXPECT_EQ(window()->pos(), QPoint(15, 33));
  EXPECT_TRUE(static_cast<QPushButton*>(control(IDOK))->isDefault());
  EXPECT_FALSE(static_cast<QPushButton*>(control(IDCANCEL))->isDefault());
}

struct WindowFlagsCase {
  const char* name;
  DWORD style;
  Qt::WindowFlags flags;
};

class DialogWindowFlagsFor : public testing::TestWithParam<WindowFlagsCase> {};

TEST_P(DialogWindowFlagsFor, GivesOnlyTheHintsTheStyleNames) {
  EXPECT_EQ(DialogWindowFlags(GetParam().style), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, DialogWindowFlagsFor,
    testing::Values(
        WindowFlagsCase{"ModalFrameWithSystemMenu", WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint},
        WindowFlagsCase{"NoSystemMenuNoCloseButton", WS_CAPTION | DS_MODALFRAME, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint},
        WindowFlagsCase{"PlainWindowWithBoxes", WS_CAPTION | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowMaximizeButtonHint}),
    [](const testing::TestParamInfo<WindowFlagsCase>& info) { return info.param.name; });

TEST_F(ShownProbe, FocusStartsOnTheFirstTabStopAndTabFollowsTheTemplateSkippingNonTabStops) {
  EXPECT_EQ(QApplication::focusWidget(), control(IDOK));
  const int forward[] = {IDCANCEL, IDC_PROBE_B, IDOK};
  for (int id : forward) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control(id)) << id;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), control(IDC_PROBE_B));
}

struct ArrowCase {
  int from;
  Qt::Key key;
  int to;
};

TEST_F(ShownProbe, ArrowKeysMoveWithinAGroupAndWrapAroundInIt) {
  const ArrowCase cases[] = {
      {IDOK, Qt::Key_Down, IDCANCEL},
      {IDCANCEL, Qt::Key_Right, IDOK},  // wraps inside the first group
      {IDOK, Qt::Key_Up, IDCANCEL},
      {IDC_PROBE_A, Qt::Key_Down, IDC_PROBE_B},  // no tab stop, but in the group
      {IDC_PROBE_B, Qt::Key_Down, IDC_PROBE_A},  // statics cannot take the focus
      {IDC_PROBE_B, Qt::Key_Left, IDC_PROBE_A},
  };
  for (const ArrowCase& c : cases) {
    control(c.from)->setFocus();
    QTest::keyClick(control(c.from), c.key);
    EXPECT_EQ(QApplication::focusWidget(), control(c.to)) << c.from << " key " << c.key;
  }
}

struct EndingCase {
  const char* name;
  std::function<void(QWidget& window)> end;
  INT_PTR result;
};

void OpenSystemMenuAndPress(QWidget& window, Qt::Key key) {
  CWnd::FromHandle(&window)->ShowSystemMenu();
  QTest::keyClick(QApplication::activePopupWidget(), key);
}

class DoModalEnding : public testing::TestWithParam<EndingCase> {};

TEST_P(DoModalEnding, ReturnsTheFrameworksResultNotQts) {
  ProbeDialog dialog;
  const auto ran = WhenModalShows([](QWidget& window) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    GetParam().end(window);
  });
  EXPECT_EQ(dialog.DoModal(), GetParam().result);
  EXPECT_TRUE(*ran);
  EXPECT_TRUE(dialog.initialisedWhileHidden);
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, DoModalEnding,
    testing::Values(
        EndingCase{"OkButton", [](QWidget& w) { QTest::mouseClick(w.findChildren<QPushButton*>()[0], Qt::LeftButton); },
                   IDOK},
        EndingCase{"CancelButton",
                   [](QWidget& w) { QTest::mouseClick(w.findChildren<QPushButton*>()[1], Qt::LeftButton); }, IDCANCEL},
        EndingCase{"Enter", [](QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }, IDOK},
        EndingCase{"Escape", [](QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }, IDCANCEL},
        EndingCase{"CloseRequest", [](QWidget& w) { w.close(); }, IDCANCEL},
        EndingCase{"SystemMenuClose", [](QWidget& w) { OpenSystemMenuAndPress(w, Qt::Key_C); }, IDCANCEL}),
    [](const testing::TestParamInfo<EndingCase>& info) { return info.param.name; });

TEST(Dialog, SystemMenuCloseGoesThroughTheSystemCommandHandler) {
  ProbeDialog dialog;
  WhenModalShows([](QWidget& window) { OpenSystemMenuAndPress(window, Qt::Key_C); });
  dialog.DoModal();
  EXPECT_EQ(dialog.systemCommands, std::vector<UINT>{SC_CLOSE});
}

TEST(Dialog, WithoutAParentItRunsOverTheMainWindowAtTheTemplatesOffsetThenCentres) {
  ProbeDialog main;
  main.Create();
  probeApp.m_pMainWnd = &main;
  QWidget* mainWindow = main.GetSafeHwnd();
  ProbeDialog child(IDD_PROBE_CHILD);
  const auto ran = WhenModalShows([&](QWidget& window) {
    EXPECT_EQ(window.parentWidget(), mainWindow);
    EXPECT_EQ(window.windowHandle()->transientParent(), mainWindow->windowHandle());
    // The template's 4,4 dialog units from the owner's client area.
    EXPECT_EQ(window.pos(), mainWindow->mapToGlobal(QPoint(6, 7)));
    CWnd::FromHandle(&window)->CenterWindow();
    EXPECT_EQ(window.pos(), CentreOf(mainWindow->frameGeometry()) - HalfOf(window.frameGeometry().size()));
  });
  child.DoModal();
  probeApp.m_pMainWnd = nullptr;
  EXPECT_TRUE(*ran);
}

TEST(Dialog, WithNoOwnerCenterWindowCentresOnTheScreen) {
  ProbeDialog dialog;
  dialog.Create();
  dialog.CenterWindow();
  QWidget* window = dialog.GetSafeHwnd();
  EXPECT_EQ(window->pos(), CentreOf(window->screen()->availableGeometry()) - HalfOf(window->frameGeometry().size()));
}

struct CentringCase {
  const char* name;
  QRect around;
  QPoint expected;
};

class CenteredPositionOf : public testing::TestWithParam<CentringCase> {};

TEST_P(CenteredPositionOf, ATwentyByTenWindowStaysInsideTheScreen) {
  const QRect screen(0, 0, 100, 80);
  EXPECT_EQ(CenteredPosition(QSize(20, 10), GetParam().around, screen), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Dialog, CenteredPositionOf,
                         testing::Values(CentringCase{"OnTheScreen", QRect(0, 0, 100, 80), QPoint(40, 35)},
                                         CentringCase{"OnAnOwner", QRect(11, 21, 31, 11), QPoint(16, 21)},
                                         CentringCase{"KeptInsideRightAndBottom", QRect(90, 75, 20, 10), QPoint(80, 70)},
                                         CentringCase{"KeptInsideLeftAndTop", QRect(-30, -30, 20, 10), QPoint(0, 0)}),
                         [](const testing::TestParamInfo<CentringCase>& info) { return info.param.name; });

}  // namespace

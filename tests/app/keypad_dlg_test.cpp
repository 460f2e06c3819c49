#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <functional>
#include <optional>

#include "app/keypad_app.h"
#include "framework/dialog_units.h"
#include "framework/paint_dc.h"
#include "link/serial_port.h"
#include "resources/resource_ids.h"
#include "tests/app/keypad_fixture.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/qt_printers.h"

using namespace std::chrono_literals;

namespace {

struct KeyButtonCase {
  int id;
  const char* caption;
  QRect pixels;  // at 6 by 13 base units
  int code;
};

// The keypad's template and codes as the handset expects them, written out
// here on their own so that a wrong entry in the program's tables shows up.
const KeyButtonCase kKeys[] = {
    {1000, "1", QRect(48, 10, 27, 29), 1},      {1001, "2", QRect(86, 10, 27, 29), 2},
    {1002, "3", QRect(123, 10, 27, 29), 3},     {1003, "4", QRect(48, 52, 27, 29), 4},
    {1004, "5", QRect(86, 52, 27, 29), 5},      {1005, "6", QRect(123, 52, 27, 29), 6},
    {1006, "7", QRect(48, 94, 27, 29), 7},      {1007, "8", QRect(86, 94, 27, 29), 8},
    {1008, "9", QRect(123, 94, 27, 29), 9},     {1009, "*", QRect(48, 137, 27, 29), 11},
    {1010, "0", QRect(86, 137, 27, 29), 10},    {1011, "#", QRect(123, 137, 27, 29), 12},
    {1012, "Rcl", QRect(18, 179, 33, 20), 19},  {1013, "Sto", QRect(60, 179, 33, 20), 18},
    {1014, "Alph", QRect(102, 179, 33, 20), 26}, {1015, "Menu", QRect(144, 179, 33, 20), 22},
    {1016, "Snd", QRect(48, 213, 27, 29), 13},  {1017, "Clr", QRect(86, 213, 27, 29), 17},
    {1018, "End", QRect(123, 213, 27, 29), 14}, {1019, "+", QRect(11, 8, 15, 21), 21},
    {1020, "-", QRect(11, 33, 15, 21), 20},
};

QString ExecutableBaseName() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

class Keypad : public KeypadTest {
 protected:
  void SetUp() override { Show(); }

  // A click through the window system, as a user's.
  void Click(int id, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window()->windowHandle(), button, {}, control(id)->geometry().center());
  }
};

TEST_F(Keypad, EveryKeyButtonHasItsCaptionAndGeometryAndSendsItsCodeOnAClick) {
  for (const KeyButtonCase& key : kKeys) {
    auto* button = qobject_cast<QPushButton*>(control(key.id));
    ASSERT_NE(button, nullptr) << key.id;
    EXPECT_EQ(button->text(), key.caption) << key.id;
    EXPECT_EQ(button->geometry(), key.pixels) << key.id;
    EXPECT_FALSE(button->isDefault()) << key.id;
    const std::size_t mark = LineMark();
    Click(key.id);
    ASSERT_TRUE(handset.WaitForBytes(mark + 6, 1s)) << key.id;
    const std::vector<LineFrame> frames = FramesSince(handset, mark);
    EXPECT_EQ(FrameNames(frames), KeyPress(key.code)) << key.caption;
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_GE(frames[1].firstByteAt - frames[0].lastByteAt, 100ms) << key.caption;
  }
}

TEST_F(Keypad, TheBlankDefaultButtonAndTheWindowFollowTheTemplate) {
  auto* button = qobject_cast<QPushButton*>(control(IDOK));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "");
  EXPECT_EQ(button->geometry(), QRect(168, 8, 14, 24));
  EXPECT_TRUE(button->isDefault());
  EXPECT_EQ(window()->windowTitle(), "Corvane");
  EXPECT_EQ(window()->size(), QSize(197, 249));
  EXPECT_EQ(window()->minimumSize(), window()->maximumSize());
  const Qt::WindowFlags flags = window()->windowFlags();
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
}

// It is centred while it initialises, before the window manager has framed it.
TEST_F(Keypad, IsCentredOnTheScreen) {
  const QRect screen = window()->screen()->availableGeometry();
  const QSize frame = window()->size();
  EXPECT_EQ(window()->pos(), QPoint((2 * screen.left() + screen.width()) / 2 - frame.width() / 2,
                                    (2 * screen.top() + screen.height()) / 2 - frame.height() / 2));
}

TEST_F(Keypad, FocusStartsOnTheBlankDefaultButtonAndTabFollowsTheTemplate) {
  EXPECT_EQ(QApplication::focusWidget(), control(IDOK));
  std::vector<int> expected;
  for (const KeyButtonCase& key : kKeys) expected.push_back(key.id);
  expected.push_back(IDOK);
  std::vector<int> seen;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const auto id = std::find_if(expected.begin(), expected.end(),
                                 [&](int candidate) { return control(candidate) == QApplication::focusWidget(); });
    seen.push_back(id == expected.end() ? 0 : *id);
  }
  EXPECT_EQ(seen, expected);
}

TEST_F(Keypad, HoldingAKeyDownSendsNothingUntilTheClickIsCompleteAndThenAFullPress) {
  QWindow* handle = window()->windowHandle();
  const QPoint five = control(IDC_KEY_5)->geometry().center();
  const std::size_t mark = LineMark();
  QTest::mousePress(handle, Qt::LeftButton, {}, five);
  QTest::qWait(500);
  EXPECT_TRUE(FramesSince(handset, mark).empty());
  QTest::mouseRelease(handle, Qt::LeftButton, {}, five);
  ASSERT_TRUE(handset.WaitForBytes(mark + 6, 1s));
  const std::vector<LineFrame> frames = FramesSince(handset, mark);
  EXPECT_EQ(FrameNames(frames), KeyPress(5));
  ASSERT_EQ(frames.size(), 2u);
  // The hold is the protocol's, not the half second the button was down.
  EXPECT_GE(frames[1].firstByteAt - frames[0].lastByteAt, 100ms);
  EXPECT_LT(frames[1].firstByteAt - frames[0].lastByteAt, 500ms);
}

TEST_F(Keypad, SystemMenuHasNoCloseItemAndTheWindowAsksForNoCloseButton) {
  keypad.ShowSystemMenu();
  EXPECT_EQ(PopupMenuItems(), (std::vector<std::string>{"&Move", "&About Corvane..."}));
  EXPECT_FALSE(window()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

struct MenuOpener {
  const char* name;
  std::function<void(QWidget& window)> open;
  bool opens;
};

class KeypadSystemMenu : public KeypadTest, public testing::WithParamInterface<MenuOpener> {
 protected:
  void SetUp() override { Show(); }
};

TEST_P(KeypadSystemMenu, OpensAtTheTopLeftWithItsKeysAndARightClickOnTheBackground) {
  GetParam().open(*window());
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_EQ(popup != nullptr, GetParam().opens);
  if (popup != nullptr) {
    EXPECT_EQ(popup->pos(), window()->mapToGlobal(QPoint(0, 0)));
  }
}

void PressOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

INSTANTIATE_TEST_SUITE_P(
    Keypad, KeypadSystemMenu,
    testing::Values(
        MenuOpener{"AltSpace", [](QWidget&) { PressOnFocus(Qt::Key_Space, Qt::AltModifier); }, true},
        MenuOpener{"MenuKey", [](QWidget&) { PressOnFocus(Qt::Key_Menu); }, true},
        MenuOpener{"ShiftF10", [](QWidget&) { PressOnFocus(Qt::Key_F10, Qt::ShiftModifier); }, true},
        MenuOpener{"RightClickOnBackground",
                   [](QWidget& w) { QTest::mouseClick(w.windowHandle(), Qt::RightButton, {}, kKeypadBackground); }, true},
        MenuOpener{"RightClickOnAKey",
                   [](QWidget& w) { QTest::mouseClick(w.windowHandle(), Qt::RightButton, {}, QPoint(61, 24)); }, false}),
    [](const testing::TestParamInfo<MenuOpener>& info) { return info.param.name; });

TEST_F(Keypad, AltSpaceOnTheDefaultButtonDoesNotPressIt) {
  PressOnFocus(Qt::Key_Space, Qt::AltModifier);
  LetTheLineSettle();
  EXPECT_TRUE(FramesAfterHandshake(handset).empty());
  EXPECT_TRUE(window()->isVisible());
}

TEST_F(Keypad, F1ShowsThatHelpCouldNotBeLaunched) {
  QString text;
  QString caption;
  const auto ran = WhenModalShows([&](QWidget& modal) {
    text = static_cast<QMessageBox&>(modal).text();
    caption = modal.windowTitle();
  });
  PressOnFocus(Qt::Key_F1);
  EXPECT_TRUE(*ran);
  EXPECT_EQ(text, "Failed to launch help.");
  EXPECT_EQ(caption, ExecutableBaseName());
  EXPECT_TRUE(window()->isVisible());
}

TEST_F(Keypad, MinimisedItDrawsTheIconCentredAndHandsItOutForDragging) {
  window()->setWindowState(Qt::WindowMinimized);
  ASSERT_TRUE(keypad.IsIconic());
  QImage image(window()->size(), QImage::Format_ARGB32);
  image.fill(Qt::red);
  // Only what the dialog paints itself: an iconic window shows no controls.
  window()->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  // The client is 197 by 249 and the icon 32 by 32: (197 - 32 + 1) / 2, (249 - 32 + 1) / 2.
  const QPoint icon(83, 109);
  const QColor background = window()->palette().window().color();
  // The antenna's tip spans columns 18 to 21 of the icon's top row, exactly.
  EXPECT_EQ(image.pixelColor(icon + QPoint(18, 0)), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(icon + QPoint(21, 0)), QColor(Qt::black));
  EXPECT_EQ(image.pixelColor(icon + QPoint(17, 0)), background);
  EXPECT_EQ(image.pixelColor(icon + QPoint(22, 0)), background);
  EXPECT_EQ(image.pixelColor(icon + QPoint(19, -1)), background);
  EXPECT_EQ(image.pixelColor(icon + QPoint(12, 10)), QColor(0x00, 0xFF, 0x00));  // the display
  EXPECT_EQ(reinterpret_cast<HICON>(keypad.SendMessage(WM_QUERYDRAGICON)), theApp.LoadIcon(IDI_KEYPAD));
}

struct EndingKey {
  const char* name;
  Qt::Key key;
  INT_PTR result;
  std::vector<std::string> frames;
  bool portOpenAfterwards;
};

class KeypadEndedBy : public KeypadTest, public testing::WithParamInterface<EndingKey> {};

TEST_P(KeypadEndedBy, KeyRightAfterShowing) {
  theApp.m_pMainWnd = &keypad;
  WhenModalShows([](QWidget& modal) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&modal));
    PressOnFocus(GetParam().key);
  });
  EXPECT_EQ(keypad.DoModal(), GetParam().result);
  LetTheLineSettle();
  EXPECT_EQ(FramesAfterHandshake(handset), GetParam().frames);
  EXPECT_EQ(IsHandsetPortOpen(), GetParam().portOpenAfterwards);
}

INSTANTIATE_TEST_SUITE_P(Keypad, KeypadEndedBy,
                         testing::Values(EndingKey{"Enter", Qt::Key_Return, IDOK, {"detach"}, false},
                                         EndingKey{"Space", Qt::Key_Space, IDOK, {"detach"}, false},
                                         EndingKey{"Escape", Qt::Key_Escape, IDCANCEL, {}, true}),
                         [](const testing::TestParamInfo<EndingKey>& info) { return info.param.name; });

TEST_F(KeypadTest, ACloseRequestEndsItThroughTheCancelPath) {
  theApp.m_pMainWnd = &keypad;
  WhenModalShows([](QWidget& modal) { modal.close(); });
  EXPECT_EQ(keypad.DoModal(), IDCANCEL);
  LetTheLineSettle();
  EXPECT_TRUE(FramesAfterHandshake(handset).empty());
  EXPECT_TRUE(IsHandsetPortOpen());
}

TEST_F(KeypadTest, InitInstanceRunsTheKeypadAsTheMainWindowAndReturnsFalse) {
  CWnd* mainWhileRunning = nullptr;
  CWnd* running = nullptr;
  WhenModalShows([&](QWidget& modal) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&modal));
    mainWhileRunning = theApp.m_pMainWnd;
    running = CWnd::FromHandle(&modal);
    PressOnFocus(Qt::Key_Escape);
  });
  EXPECT_EQ(theApp.InitInstance(), FALSE);
  EXPECT_NE(running, nullptr);
  EXPECT_EQ(mainWhileRunning, running);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

struct FailureCase {
  const char* name;
  bool portMissing;
  HandsetBehaviour handset;
  const char* message;
};

HandsetBehaviour ShortEnableReply() {
  HandsetBehaviour behaviour;
  behaviour.enableReply.resize(5);
  return behaviour;
}

class KeypadStartFailure : public KeypadTest, public testing::WithParamInterface<FailureCase> {
 protected:
  KeypadStartFailure() : KeypadTest(GetParam().handset) {}
};

struct SeenBox {
  QString text;
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool keypadVisible = true;
};

TEST_P(KeypadStartFailure, ShowsItsOneMessageBeforeTheKeypadAppears) {
  std::optional<ScopedCom1> noPort;
  if (GetParam().portMissing) noPort.emplace("/nonexistent/corvane-com1");
  SeenBox seen;
  std::shared_ptr<bool> secondBox;
  WhenModalShows([&](QWidget& modal) {
    auto& box = static_cast<QMessageBox&>(modal);
    seen = {box.text(), box.windowTitle(), box.icon(), {}, window()->isVisible()};
    for (QAbstractButton* button : box.buttons()) seen.buttons << button->text();
    secondBox = WhenModalShows([](QWidget&) {});
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
  });
  Show();
  EXPECT_EQ(seen.text, GetParam().message);
  EXPECT_EQ(seen.caption, ExecutableBaseName());
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(seen.buttons, QStringList{"OK"});
  EXPECT_FALSE(seen.keypadVisible);
  EXPECT_TRUE(window()->isVisible());
  ASSERT_NE(secondBox, nullptr);
  QTest::qWait(50);
  EXPECT_FALSE(*secondBox);
}

INSTANTIATE_TEST_SUITE_P(
    Keypad, KeypadStartFailure,
    testing::Values(FailureCase{"NoPort", true, {}, "Corvane was unable to open and initialize COM1."},
                    // Five failed attempts: about 13 s.
                    FailureCase{"HandsetDoesNotAnswerTheEnableFrame", false, ShortEnableReply(),
                                "Corvane was unable to properly initialize your OKI-900, please exit and try again."}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

}  // namespace

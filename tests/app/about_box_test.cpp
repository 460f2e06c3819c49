#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <set>

#include "app/about_box.h"
#include "framework/dialog_units.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"
#include "tests/app/keypad_fixture.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/qt_printers.h"

using namespace std::chrono_literals;

namespace {

// The codes the keypad's keys send, written out on their own.
const std::set<int> kKeypadCodes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 18, 19, 20, 21, 22, 26};

// Where nothing of the box is a control (the statics let the mouse through anyway).
const QPoint kAboutBackground(4, 4);

void PressOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void ChooseAboutFromTheMenu() { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A); }

QStringList LabelTexts(QWidget& box) {
  QStringList texts;
  for (QLabel* label : box.findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) texts << label->text();
  }
  return texts;
}

QPushButton* OkButton(QWidget& box) { return box.findChild<QPushButton*>(); }

class About : public KeypadTest {
 protected:
  void SetUp() override { Show(); }

  // Opens the box through Alt+Space and A, runs inside from its loop, and
  // waits until the box has gone.
  void WhileOpen(std::function<void(QWidget& box)> inside) {
    const auto ran = WhenModalShows(std::move(inside));
    PressOnFocus(Qt::Key_Space, Qt::AltModifier);
    ChooseAboutFromTheMenu();
    ASSERT_TRUE(WaitUntil([&] { return *ran && QApplication::activeModalWidget() == nullptr; }));
  }
};

struct AboutOpener {
  const char* name;
  std::function<void(QWidget& keypad)> open;
  std::function<void(QWidget& box)> close;
};

class AboutOpenedBy : public KeypadTest, public testing::WithParamInterface<AboutOpener> {
 protected:
  void SetUp() override { Show(); }
};

TEST_P(AboutOpenedBy, ShowsCentredAndModalOverTheKeypadAndClosesWithNothingSent) {
  QString caption;
  QSize size;
  QWidget* owner = nullptr;
  QPoint position;
  QStringList texts;
  bool okIsDefaultAndFocused = false;
  const auto ran = WhenModalShows([&](QWidget& box) {
    caption = box.windowTitle();
    size = box.size();
    owner = box.parentWidget();
    position = box.pos();
    texts = LabelTexts(box);
    okIsDefaultAndFocused = OkButton(box)->isDefault() && QApplication::focusWidget() == OkButton(box);
    GetParam().close(box);
  });
  GetParam().open(*window());
  ASSERT_TRUE(WaitUntil([&] { return *ran && QApplication::activeModalWidget() == nullptr; }));

  EXPECT_EQ(caption, "About Corvane");
  EXPECT_EQ(size, QSize(326, 89));
  EXPECT_EQ(owner, window());
  // Centred on the keypad's frame as the dialog manager centres.
  const QRect keypadFrame = window()->frameGeometry();
  const QSize boxFrame = size + (window()->frameGeometry().size() - window()->size());
  EXPECT_EQ(position, QPoint((2 * keypadFrame.left() + keypadFrame.width()) / 2 - boxFrame.width() / 2,
                             (2 * keypadFrame.top() + keypadFrame.height()) / 2 - boxFrame.height() / 2));
  EXPECT_EQ(texts, (QStringList{"Corvane Version 1.0 Alpha", "Copyright (C) Corvane developers"}));
  EXPECT_TRUE(okIsDefaultAndFocused);
  LetTheLineSettle();
  EXPECT_TRUE(FramesAfterHandshake(handset).empty());
  EXPECT_TRUE(window()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    About, AboutOpenedBy,
    testing::Values(AboutOpener{"AltSpaceThenAClosedWithOk",
                                [](QWidget&) {
                                  PressOnFocus(Qt::Key_Space, Qt::AltModifier);
                                  ChooseAboutFromTheMenu();
                                },
                                [](QWidget& box) { QTest::mouseClick(OkButton(box), Qt::LeftButton); }},
                    AboutOpener{"RightClickOnTheKeypadThenAClosedWithEscape",
                                [](QWidget& keypad) {
                                  QTest::mouseClick(keypad.windowHandle(), Qt::RightButton, {}, kKeypadBackground);
                                  ChooseAboutFromTheMenu();
                                },
                                [](QWidget&) { PressOnFocus(Qt::Key_Escape); }}),
    [](const testing::TestParamInfo<AboutOpener>& info) { return info.param.name; });

TEST_F(About, TheKeypadsKeysCannotBePressedWhileItIsUpAndWorkAfterwards) {
  QWindow* keypadWindow = window()->windowHandle();
  const QPoint five = control(IDC_KEY_5)->geometry().center();
  WhileOpen([&](QWidget&) {
    QTest::mouseClick(keypadWindow, Qt::LeftButton, {}, five);
    LetTheLineSettle();
    PressOnFocus(Qt::Key_Escape);
  });
  EXPECT_TRUE(FramesAfterHandshake(handset).empty());
  const std::size_t mark = LineMark();
  QTest::mouseClick(keypadWindow, Qt::LeftButton, {}, five);
  ASSERT_TRUE(handset.WaitForBytes(mark + 6, 1s));
  EXPECT_EQ(FrameNames(FramesSince(handset, mark)), KeyPress(5));
}

TEST_F(About, ARightDoubleClickPlaysTheTestSequenceAndOtherClicksSendNothing) {
  std::vector<LineFrame> sequence;
  std::vector<LineFrame> otherClicks;
  bool popupAfterRightClick = true;
  WhileOpen([&](QWidget& box) {
    const std::size_t mark = LineMark();
    QTest::mouseDClick(box.windowHandle(), Qt::RightButton, {}, kAboutBackground);
    handset.WaitForBytes(mark + 6 * ABOUT_TEST_SEQUENCE.size(), 1s);
    sequence = FramesSince(handset, mark);

    const std::size_t afterSequence = LineMark();
    QTest::mouseClick(box.windowHandle(), Qt::RightButton, {}, kAboutBackground);
    popupAfterRightClick = QApplication::activePopupWidget() != nullptr;
    QTest::mouseDClick(box.windowHandle(), Qt::LeftButton, {}, kAboutBackground);
    LetTheLineSettle();
    otherClicks = FramesSince(handset, afterSequence);
    PressOnFocus(Qt::Key_Escape);
  });

  std::vector<std::string> expected;
  for (KeyCode code : ABOUT_TEST_SEQUENCE) {
    const std::vector<std::string> press = KeyPress(code);
    expected.insert(expected.end(), press.begin(), press.end());
  }
  EXPECT_EQ(FrameNames(sequence), expected);
  for (std::size_t i = 0; i + 1 < sequence.size(); i += 2) {
    EXPECT_GE(sequence[i + 1].firstByteAt - sequence[i].lastByteAt, 100ms) << sequence[i].name;
  }
  EXPECT_FALSE(popupAfterRightClick);
  EXPECT_TRUE(otherClicks.empty());
}

TEST(AboutTestSequence, HoldsSixCodesOfKeypadKeysAndTwoThatNoKeySends) {
  const auto keypadCodes = std::count_if(ABOUT_TEST_SEQUENCE.begin(), ABOUT_TEST_SEQUENCE.end(),
                                         [](KeyCode code) { return kKeypadCodes.count(code) == 1; });
  EXPECT_EQ(keypadCodes, 6);
  EXPECT_EQ(ABOUT_TEST_SEQUENCE.size() - static_cast<std::size_t>(keypadCodes), 2u);
}

// Measured at the real font, not the pinned units: the line must fit on screen.
TEST(AboutTemplate, TheMakersNoticeFitsItsOneLine) {
  const auto about = std::find_if(DialogTemplates().begin(), DialogTemplates().end(),
                                  [](const DialogTemplate& dialog) { return dialog.id == IDD_ABOUT; });
  ASSERT_NE(about, DialogTemplates().end());
  const ControlTemplate& notice = about->controls[2];
  const QFont font = DialogFont(about->fontName, about->fontPointSize);
  const DialogBaseUnits units = MeasureDialogBaseUnits(font);
  const QString text = QString::fromUtf8(notice.text.data(), static_cast<qsizetype>(notice.text.size()));
  EXPECT_LE(QFontMetrics(font).horizontalAdvance(text), MulDiv(notice.rect.cx, units.x, 4));
  EXPECT_LE(QFontMetrics(font).height(), MulDiv(notice.rect.cy, units.y, 8));
}

}  // namespace

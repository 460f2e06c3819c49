#include "tests/app/keypad_fixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <algorithm>

#include "app/keypad_app.h"
#include "link/serial_port.h"

using namespace std::chrono_literals;

std::vector<std::string> KeyPress(int code) { return {"key " + std::to_string(code), "key 0"}; }

std::vector<std::string> FramesAfterHandshake(const FakeHandset& handset) {
  const std::vector<std::string> names = FrameNames(SplitFrames(handset.Received()));
  const auto enable = std::find(names.begin(), names.end(), "enable");
  return enable == names.end() ? std::vector<std::string>{} : std::vector<std::string>(enable + 1, names.end());
}

std::vector<LineFrame> FramesSince(const FakeHandset& handset, std::size_t mark) {
  const std::vector<LineByte> line = handset.Received();
  return SplitFrames({line.begin() + static_cast<std::ptrdiff_t>(std::min(mark, line.size())), line.end()});
}

void LetTheLineSettle() { QTest::qWait(150); }

std::vector<std::string> PopupMenuItems() {
  std::vector<std::string> items;
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) return items;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) items.push_back(action->text().toStdString());
  }
  return items;
}

void ClosePopupMenu() {
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

KeypadTest::KeypadTest(HandsetBehaviour behaviour) : handset(std::move(behaviour)) {}

// The port is process-wide: a test that ends the keypad through Escape leaves it open.
KeypadTest::~KeypadTest() {
  ClosePopupMenu();
  CloseHandsetPort();
  theApp.m_pMainWnd = nullptr;
}

void KeypadTest::Show() {
  theApp.m_pMainWnd = &keypad;
  keypad.Create();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
}

QWidget* KeypadTest::window() const { return keypad.GetSafeHwnd(); }

QWidget* KeypadTest::control(int id) const { return keypad.GetDlgItem(id); }

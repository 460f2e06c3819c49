#pragma once
// The keypad against a fake handset on a pseudo-terminal, with helpers to
// read what reached the line.

#include <gtest/gtest.h>

#include <QPoint>
#include <chrono>
#include <string>
#include <vector>

#include "app/keypad_dlg.h"
#include "tests/support/line_frames.h"
#include "tests/support/fake_handset.h"

class QWidget;

// Where nothing of the keypad's 197 by 249 pixels is a control.
inline const QPoint kKeypadBackground(190, 240);

// A key press as the line shows it.
std::vector<std::string> KeyPress(int code);
// The frames' names from the first one after the handshake's enable frame.
std::vector<std::string> FramesAfterHandshake(const FakeHandset& handset);
// The frames that arrived since the line held `mark` bytes.
std::vector<LineFrame> FramesSince(const FakeHandset& handset, std::size_t mark);
// Settles the line: the bytes of a key press land a little after it returns.
void LetTheLineSettle();
// The items of the popup menu up now, separators left out.
std::vector<std::string> PopupMenuItems();
void ClosePopupMenu();

class KeypadTest : public testing::Test {
 protected:
  explicit KeypadTest(HandsetBehaviour behaviour = {});
  ~KeypadTest() override;

  // What DoModal does before its loop, then waits for the window to be active.
  void Show();
  QWidget* window() const;
  QWidget* control(int id) const;
  std::size_t LineMark() const { return handset.Received().size(); }

  FakeHandset handset;
  ScopedCom1 com1{handset.DevicePath()};
  CKeypadDlg keypad;
};

#include "framework/help.h"

#include <QApplication>
#include <QKeyEvent>

#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {

bool IsHelpKey(const QEvent& event) {
  if (event.type() != QEvent::KeyPress) return false;
  const auto& key = static_cast<const QKeyEvent&>(event);
  // Shift+F1 and the others are not the help key.
  return key.key() == Qt::Key_F1 && !(key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

// A dialog in front routes the command on to the application; a message box
// has no handlers of its own, so the application gets it directly.
void SendHelpCommand() {
  if (CWnd* front = CWnd::FromHandle(QApplication::activeWindow())) {
    front->SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0));
  } else {
    AfxGetApp()->OnCmdMsg(ID_HELP);
  }
}

}  // namespace

bool HelpKeyFilter::eventFilter(QObject*, QEvent* event) {
  if (!IsHelpKey(*event)) return false;
  SendHelpCommand();
  return true;
}

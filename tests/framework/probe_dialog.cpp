#include "tests/framework/probe_dialog.h"

#include <QWidget>

constinit const MessageMapEntry ProbeDialog::messageEntries[] = {
    SysCommandEntry<&ProbeDialog::OnSysCommand>(),
};
constinit const MessageMap ProbeDialog::messageMap{&CDialog::messageMap, messageEntries};

BOOL ProbeDialog::OnInitDialog() {
  initialisedWhileHidden = !GetSafeHwnd()->isVisible();
  return CDialog::OnInitDialog();
}

void ProbeDialog::OnSysCommand(UINT id, LPARAM lParam) {
  systemCommands.push_back(id);
  CDialog::OnSysCommand(id, lParam);
}

constinit const MessageMapEntry RightClickDialog::messageEntries[] = {
    RButtonDblClkEntry<&RightClickDialog::OnRButtonDblClk>(),
};
constinit const MessageMap RightClickDialog::messageMap{&CDialog::messageMap, messageEntries};

void RightClickDialog::OnRButtonDblClk(UINT flags, CPoint point) {
  doubleClicks.push_back(point);
  CDialog::OnRButtonDblClk(flags, point);
}

#include "app/about_box.h"

#include "resources/resource_ids.h"

constinit const MessageMapEntry CAboutBox::messageEntries[] = {
    RButtonDblClkEntry<&CAboutBox::OnRButtonDblClk>(),
};

constinit const MessageMap CAboutBox::messageMap{&CDialog::messageMap, messageEntries};

const MessageMap* CAboutBox::GetMessageMap() const { return &messageMap; }

CAboutBox::CAboutBox() : CDialog(IDD_ABOUT) {}

void CAboutBox::DoDataExchange(CDataExchange* exchange) { CDialog::DoDataExchange(exchange); }

// With no parent of its own the box runs over the keypad, and is centred on it.
BOOL CAboutBox::OnInitDialog() {
  CDialog::OnInitDialog();
  CenterWindow();
  return TRUE;
}

// Whatever state the port is in: a closed port sends nothing.
void CAboutBox::OnRButtonDblClk(UINT flags, CPoint point) {
  for (KeyCode code : ABOUT_TEST_SEQUENCE) PressHandsetKey(code);
  CDialog::OnRButtonDblClk(flags, point);
}

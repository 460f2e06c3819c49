#include "app/keypad_dlg.h"

#include <algorithm>

#include "app/about_box.h"
#include "app/key_buttons.h"
#include "framework/message_box.h"
#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "link/handset_protocol.h"
#include "resources/resource_ids.h"

constinit const MessageMapEntry CKeypadDlg::messageEntries[] = {
    SysCommandEntry<&CKeypadDlg::OnSysCommand>(),
    PaintEntry<&CKeypadDlg::OnPaint>(),
    QueryDragIconEntry<&CKeypadDlg::OnQueryDragIcon>(),
    CommandRangeEntry<&CKeypadDlg::OnKey>(IDC_KEY_1, IDC_KEY_MINUS),
};

constinit const MessageMap CKeypadDlg::messageMap{&CDialog::messageMap, messageEntries};

const MessageMap* CKeypadDlg::GetMessageMap() const { return &messageMap; }

CKeypadDlg::CKeypadDlg(CWnd* parent) : CDialog(IDD_KEYPAD, parent), m_hIcon(AfxGetApp()->LoadIcon(IDI_KEYPAD)) {}

void CKeypadDlg::DoDataExchange(CDataExchange* exchange) { CDialog::DoDataExchange(exchange); }

// Everything here happens before the keypad is first shown, so a failing
// handshake keeps the program without a window until it and its message end.
BOOL CKeypadDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CenterWindow();
  CMenu* systemMenu = GetSystemMenu(FALSE);
  systemMenu->RemoveMenu(SC_CLOSE, MF_BYCOMMAND);
  AppendAboutItem(*systemMenu);
  StartHandsetLink();
  return TRUE;
}

void CKeypadDlg::AppendAboutItem(CMenu& systemMenu) {
  const std::string aboutItem = AfxGetApp()->LoadString(IDS_ABOUT_ITEM);
  if (aboutItem.empty()) return;
  systemMenu.AppendMenu(MF_SEPARATOR);
  systemMenu.AppendMenu(MF_STRING, IDM_ABOUT, aboutItem);
}

// The handshake is not tried on a port that did not open.
void CKeypadDlg::StartHandsetLink() {
  if (!OpenHandsetPort(OKI_900)) {
    AfxMessageBox(IDS_PORT_OPEN_FAILED, MB_OK);
    return;
  }
  if (!InitHandset(HANDSHAKE_MODE_S)) AfxMessageBox(IDS_HANDSET_INIT_FAILED, MB_OK);
}

void CKeypadDlg::OnOK() {
  SendDetachFrame();
  CloseHandsetPort();
  CDialog::OnOK();
}

void CKeypadDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & SC_COMMAND_MASK) == IDM_ABOUT) {
    CAboutBox about;
    about.DoModal();
    return;
  }
  CDialog::OnSysCommand(id, lParam);
}

void CKeypadDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  CRect client;
  GetClientRect(&client);
  const int x = (client.Width() - iconWidth + 1) / 2;
  const int y = (client.Height() - iconHeight + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HICON CKeypadDlg::OnQueryDragIcon() { return m_hIcon; }

void CKeypadDlg::OnKey(UINT id) {
  const auto key = std::find_if(KEY_BUTTONS.begin(), KEY_BUTTONS.end(),
                                [id](const KeyButton& button) { return button.id == static_cast<int>(id); });
  PressHandsetKey(key->code);
}

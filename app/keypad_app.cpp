#include "app/keypad_app.h"

#include "app/keypad_dlg.h"
#include "resources/program_resources.h"

CKeypadApp theApp;

constinit const MessageMapEntry CKeypadApp::messageEntries[] = {
    CommandEntry<&CWinApp::OnHelp>(ID_HELP),
};

constinit const MessageMap CKeypadApp::messageMap{&CWinApp::messageMap, messageEntries};

const MessageMap* CKeypadApp::GetMessageMap() const { return &messageMap; }

// No application name of its own: the framework takes the executable's.
CKeypadApp::CKeypadApp() : CWinApp(ProgramResources()) {}

// The 3-D look and the standard profile settings have no counterpart on this
// target, so those two start-up steps are left out.
BOOL CKeypadApp::InitInstance() {
  CKeypadDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  // No message loop of the application's own: the program ends here.
  return FALSE;
}

#include "framework/win_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmap>

#include "framework/framework_strings.h"
#include "framework/help.h"
#include "framework/message_box.h"

namespace {

CWinApp* g_app = nullptr;

QString ApplicationName() {
  QString path = QCoreApplication::applicationFilePath();
  if (path.isEmpty()) path = QCoreApplication::arguments().value(0);
  return QFileInfo(path).completeBaseName();
}

}  // namespace

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp(const ResourceModule& resources) : resources_(resources) {
  Q_ASSERT(g_app == nullptr);
  g_app = this;
}

CWinApp::~CWinApp() { g_app = nullptr; }

constinit const MessageMap CWinApp::messageMap{&CCmdTarget::messageMap, {}};

const MessageMap* CWinApp::GetMessageMap() const { return &messageMap; }

void CWinApp::InitApplication() {
  if (!appName_.empty()) return;
  appName_ = ApplicationName().toStdString();
  helpKeyFilter_ = std::make_unique<HelpKeyFilter>();
  QCoreApplication::instance()->installEventFilter(helpKeyFilter_.get());
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() { return QApplication::exec(); }

// The application object outlives the QApplication, so what it holds of Qt
// goes now, while Qt is still there.
int CWinApp::ExitInstance() {
  icons_.clear();
  helpKeyFilter_.reset();
  return 0;
}

const DialogTemplate* CWinApp::FindDialogTemplate(UINT id) const { return resources_.FindDialog(id); }

std::string CWinApp::LoadString(UINT id) const {
  const StringResource* found = resources_.FindString(id);
  if (found == nullptr) found = FrameworkResources().FindString(id);
  return found == nullptr ? std::string() : std::string(found->text);
}

HICON CWinApp::LoadIcon(UINT id) {
  auto [at, added] = icons_.try_emplace(id);
  const IconResource* icon = resources_.FindIcon(id);
  if (added && icon != nullptr) {
    for (XpmImage image : icon->images) at->second.addPixmap(QPixmap(image));
  }
  return &at->second;
}

void CWinApp::OnHelp() { AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP, MB_OK); }

int AfxWinMain(int argc, char** argv) {
  QApplication application(argc, argv);
  // The program ends when InitInstance returns, not when its last window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  CWinApp& app = *AfxGetApp();
  app.InitApplication();
  if (app.InitInstance()) app.Run();
  return app.ExitInstance();
}

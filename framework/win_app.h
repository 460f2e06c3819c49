#pragma once
// The one application object, and the program's start-up around it.

#include <QIcon>
#include <map>
#include <memory>
#include <string>

#include "framework/cmd_target.h"
#include "framework/resource_module.h"

class CWnd;
class QObject;

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(const ResourceModule& resources);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Needs the QApplication: takes the application name from the running
  // executable and starts listening for the help key.
  void InitApplication();
  // TRUE runs the message loop.
  virtual BOOL InitInstance();
  virtual int Run();
  virtual int ExitInstance();

  // The executable's file name without its extension; every message box's caption.
  const std::string& AppName() const { return appName_; }

  const DialogTemplate* FindDialogTemplate(UINT id) const;
  // The program's string, else the framework's own; empty if neither has one.
  std::string LoadString(UINT id) const;
  HICON LoadIcon(UINT id);

  // The help command: there is no help engine for the help file on this target.
  void OnHelp();

  CWnd* m_pMainWnd = nullptr;

  static const MessageMap messageMap;

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  const ResourceModule& resources_;
  std::string appName_;
  std::map<UINT, QIcon> icons_;
  std::unique_ptr<QObject> helpKeyFilter_;
};

CWinApp* AfxGetApp();

// Creates the QApplication, runs InitInstance, the message loop if it asked
// for one, and the exit step; the exit step's code is the process's.
int AfxWinMain(int argc, char** argv);

#pragma once
// The application object: it runs the keypad as its main window, and the
// program ends when the keypad does.

#include "framework/win_app.h"

class CKeypadApp : public CWinApp {
 public:
  CKeypadApp();

  BOOL InitInstance() override;

  static const MessageMap messageMap;

 protected:
  const MessageMap* GetMessageMap() const override;

 private:
  static const MessageMapEntry messageEntries[];
};

extern CKeypadApp theApp;

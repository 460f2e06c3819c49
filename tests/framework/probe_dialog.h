#pragma once
// Dialogs on the probe templates that record what reaches them.

#include <vector>

#include "framework/dialog.h"
#include "tests/framework/probe_resources.h"

// The units every test pins, so geometry is exact whatever the fonts.
inline constexpr DialogBaseUnits kTestBaseUnits{6, 13};

class ProbeDialog : public CDialog {
 public:
  explicit ProbeDialog(UINT templateId = IDD_PROBE, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

  bool initialisedWhileHidden = false;
  std::vector<UINT> systemCommands;

  static const MessageMap messageMap;

 protected:
  BOOL OnInitDialog() override;
  const MessageMap* GetMessageMap() const override { return &messageMap; }
  void OnSysCommand(UINT id, LPARAM lParam);

 private:
  static const MessageMapEntry messageEntries[];
};

// Takes right double-clicks, so right clicks on it open no menu.
class RightClickDialog : public CDialog {
 public:
  RightClickDialog() : CDialog(IDD_PROBE) {}

  std::vector<CPoint> doubleClicks;

  static const MessageMap messageMap;

 protected:
  const MessageMap* GetMessageMap() const override { return &messageMap; }
  void OnRButtonDblClk(UINT flags, CPoint point);

 private:
  static const MessageMapEntry messageEntries[];
};

#pragma once
// The keypad: one push button per handset key. It brings the handset link up
// while it initialises and takes it down when dismissed through its default
// button.

#include "framework/dialog.h"

class CKeypadDlg : public CDialog {
 public:
  explicit CKeypadDlg(CWnd* parent = nullptr);

  static const MessageMap messageMap;

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  const MessageMap* GetMessageMap() const override;

  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HICON OnQueryDragIcon();
  void OnKey(UINT id);

 private:
  static const MessageMapEntry messageEntries[];

  void AppendAboutItem(CMenu& systemMenu);
  void StartHandsetLink();

  // Drawn when minimised and handed out as the drag icon; not the window's own icon.
  HICON m_hIcon;
};

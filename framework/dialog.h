#pragma once
// A dialog built from a template, run modally.

#include <memory>
#include <vector>

#include "framework/dialog_builder.h"
#include "framework/wnd.h"

class DialogWindow;

// Which way data moves between a dialog's members and its controls.
struct CDataExchange {
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // IDOK or IDCANCEL, or whatever EndDialog was given.
  virtual INT_PTR DoModal();
  // What DoModal does before its loop: create the window from the template,
  // initialise it, and show it if the template is visible.
  BOOL Create();
  void EndDialog(int result);

  // The control with that id, or nullptr.
  QWidget* GetDlgItem(int id) const;
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  static const MessageMap messageMap;

 protected:
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* exchange);

  const MessageMap* GetMessageMap() const override;
  // Commands nothing in the dialog takes go on to the application.
  BOOL OnCmdMsg(UINT id) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static const MessageMapEntry messageEntries[];

  QWidget* ModalOwner() const;
  void CreateFromTemplate(QWidget* owner);
  void InitDialog();
  void FocusFirstTabStop();
  void DestroyWindow();

  const UINT templateId_;
  CWnd* const parent_;
  const DialogTemplate* template_ = nullptr;
  std::unique_ptr<DialogWindow> window_;
  std::vector<DialogControl> controls_;
  INT_PTR result_ = -1;
  bool ended_ = false;
};

#include "framework/dialog.h"

#include <QPoint>
#include <QShortcut>
#include <QWidget>

#include "framework/dialog_window.h"
#include "framework/win_app.h"

namespace {

// Keys that open the system menu. Alt+Space reaches us only where the window
// manager lets it through.
const QKeySequence kSystemMenuKeys[] = {
    QKeySequence(Qt::ALT | Qt::Key_Space),
    QKeySequence(Qt::Key_Menu),
    QKeySequence(Qt::SHIFT | Qt::Key_F10),
};

}  // namespace

constinit const MessageMapEntry CDialog::messageEntries[] = {
    CommandEntry<&CDialog::OnOK>(IDOK),
    CommandEntry<&CDialog::OnCancel>(IDCANCEL),
};

constinit const MessageMap CDialog::messageMap{&CWnd::messageMap, messageEntries};

const MessageMap* CDialog::GetMessageMap() const { return &messageMap; }

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() { DestroyWindow(); }

INT_PTR CDialog::DoModal() {
  CreateFromTemplate(ModalOwner());
  InitDialog();
  if (!ended_) window_->exec();
  DestroyWindow();
  return result_;
}

BOOL CDialog::Create() {
  CreateFromTemplate(parent_ != nullptr ? parent_->GetSafeHwnd() : nullptr);
  InitDialog();
  if (!ended_ && (template_->style & WS_VISIBLE)) window_->show();
  return TRUE;
}

void CDialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  window_->done(result);
}

QWidget* CDialog::GetDlgItem(int id) const {
  for (const DialogControl& control : controls_) {
    if (control.control->id == id) return control.widget;
  }
  return nullptr;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange{this, saveAndValidate};
  DoDataExchange(&exchange);
  return TRUE;
}

BOOL CDialog::OnInitDialog() { return UpdateData(FALSE); }

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCmdMsg(UINT id) { return CWnd::OnCmdMsg(id) || AfxGetApp()->OnCmdMsg(id); }

// A close request that reaches a dialog ends it through the cancel path.
LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) return SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  return CWnd::DefWindowProc(message, wParam, lParam);
}

// Without a parent of its own a dialog runs over the application's main
// window, so it is modal over it and centred on it.
QWidget* CDialog::ModalOwner() const {
  if (parent_ != nullptr) return parent_->GetSafeHwnd();
  const CWnd* main = AfxGetApp()->m_pMainWnd;
  return main != nullptr && main != this ? main->GetSafeHwnd() : nullptr;
}

void CDialog::CreateFromTemplate(QWidget* owner) {
  template_ = AfxGetApp()->FindDialogTemplate(templateId_);
  Q_ASSERT(template_ != nullptr);
  result_ = -1;
  ended_ = false;
  window_ = std::make_unique<DialogWindow>(*this, owner, DialogWindowFlags(template_->style));
  // Template positions are relative to the owner's client area.
  const QPoint origin = owner != nullptr ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  controls_ = BuildDialog(*window_, *template_, origin,
                          [this](int id) { SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED)); });
  const bool hasSystemMenu = (template_->style & WS_SYSMENU) != 0;
  AttachWindow(window_.get(), hasSystemMenu);
  if (hasSystemMenu) {
    for (const QKeySequence& keys : kSystemMenuKeys) {
      QObject::connect(new QShortcut(keys, window_.get()), &QShortcut::activated, window_.get(),
                       [this] { ShowSystemMenu(); });
    }
  }
}

void CDialog::InitDialog() {
  if (OnInitDialog()) FocusFirstTabStop();
}

void CDialog::FocusFirstTabStop() {
  for (const DialogControl& control : controls_) {
    if ((control.control->style & WS_TABSTOP) && control.widget->isEnabled()) {
      control.widget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void CDialog::DestroyWindow() {
  DetachWindow();
  controls_.clear();
  window_.reset();
}
